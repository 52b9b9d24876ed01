#include "process/headless_compute.h"

#include "chart/chart_drawing.h"
#include "chart/chart_state.h"
#include "process/compute_and_plot.h"
#include "process/process_state.h"
#include "ui/prompts.h"

namespace {

// Keeps what would be shown in message boxes; the calculation asks nothing.
class CollectingPrompts : public Prompts {
public:
    explicit CollectingPrompts(std::vector<std::string> &messages) : messages_(messages) { }

    std::string InputBox(const std::string &, const std::string &,
                         const std::string &defaultText) override
    {
        return defaultText;
    }
    void MsgBox(const std::string &text) override { messages_.push_back(text); }

private:
    std::vector<std::string> &messages_;
};

} // namespace

HeadlessComputation ComputeWithoutWindow(const DesignParameters &parameters, double B,
                                         const std::string &BText, Surface &picture)
{
    HeadlessComputation result;
    SetChartScale(picture); // as the main window's load does
    ChartState chart;
    chart.B = B;
    chart.BText = BText;
    bool parametersSet = true;
    ProcessState process;
    CollectingPrompts prompts(result.messages);
    ComputeContext context {chart,   parametersSet, process,      parameters,
                            picture, prompts,       result.sheet, {}};
    ComputeAndPlot(context);
    result.sheet.Finish(process);
    return result;
}
