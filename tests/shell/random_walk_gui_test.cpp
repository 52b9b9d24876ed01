#include "layout/layout.h"
#include "qt/picture_box.h"
#include "qt/prompts.h"
#include "shell/app_shell.h"
#include "shell/form1.h"
#include "shell/form2.h"
#include "shell/form3.h"
#include "shell/form4.h"
#include "shell/form5.h"
#include "shell/form_start.h"
#include "shell/main_window_controls.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <random>
#include <vector>

namespace {

// Answers every prompt at random: sensible values, nonsense, empty text
// (Cancel) and out-of-range numbers.
class RandomPrompts : public Prompts {
public:
    explicit RandomPrompts(std::mt19937 &random) : random_(random) { }

    std::string InputBox(const std::string &, const std::string &,
                         const std::string &defaultText) override
    {
        static const char *const answers[]
            = {"",      "abc",  "0",        "-1", "95000", "120000", "1e400", "2",   "0.5abc",
               "89999", "&H10", " 100000 ", "1",  "0.05",  "nan",    "∞",     "1e39"};
        std::uniform_int_distribution<int> pick(0, static_cast<int>(std::size(answers)));
        const int k = pick(random_);
        return k == static_cast<int>(std::size(answers)) ? defaultText : answers[k];
    }

    void MsgBox(const std::string &) override { ++messages; }

    int messages = 0;

private:
    std::mt19937 &random_;
};

struct Program {
    std::unique_ptr<AppShell> shell;
    bool ended = false;

    explicit Program(Prompts &prompts) : shell(std::make_unique<AppShell>(prompts))
    {
        shell->onEndProgram = [this] { ended = true; };
        shell->Start();
    }
    WindowRegistry &windows() { return shell->Windows(); }
};

std::string RandomText(std::mt19937 &random)
{
    static const char *const texts[]
        = {"26",   "",     "abc",  "-5",   "1e400", "0",     "100",  "3.5",
           "1e39", "&O17", "26,5", "9999", "-100",  "0.001", " 2 6 "};
    std::uniform_int_distribution<int> pick(0, static_cast<int>(std::size(texts)) - 1);
    return texts[pick(random)];
}

} // namespace

TEST(RandomWalk, TenThousandClicksAndCloseRequestsKeepExactlyOneWindowVisible)
{
    const unsigned seed = 20261207;
    std::mt19937 random(seed);
    RandomPrompts prompts(random);
    auto program = std::make_unique<Program>(prompts);
    int programsRun = 1;

    for (int step = 0; step < 10000; ++step) {
        WindowRegistry &w = program->windows();
        const QStringList visible = w.VisibleWindows();
        ASSERT_EQ(visible.size(), 1) << "step " << step << ": " << visible.join(',').toStdString();
        const QString current = visible.front();

        // The actions a user has on the visible window: its buttons and its close box.
        std::vector<std::function<void()>> actions;
        FormWindow &window = w.Get(current);
        actions.push_back([&window] { window.close(); });
        if (current == forms::kSplash) {
            auto &splash = w.Get<FormStart>(current);
            for (int k = 0; k < 8; ++k)
                actions.push_back([&splash] { splash.Timer1_Timer(); });
            if (splash.Command1->isVisible())
                actions.push_back(
                    [&splash] { QTest::mouseClick(splash.Command1, Qt::LeftButton); });
        } else if (current == forms::kMain) {
            auto &main = w.Get<Form1>(current);
            for (int k = 0; k < kMainButtonCount; ++k) {
                QPushButton *button = main.Controls().Button(k);
                actions.push_back([button] { QTest::mouseClick(button, Qt::LeftButton); });
                actions.push_back([button] { QTest::mouseClick(button, Qt::LeftButton); });
            }
            PictureBox *picture = main.Controls().Picture1;
            actions.push_back([picture, &random] {
                std::uniform_int_distribution<int> x(-50, picture->width() + 50),
                    y(-50, picture->height() + 50);
                QTest::mouseMove(picture, QPoint(x(random), y(random)));
            });
        } else if (current == forms::kParameters) {
            auto &dialog = w.Get<Form2>(current);
            for (int k = 0; k < 4; ++k)
                actions.push_back(
                    [&dialog] { QTest::mouseClick(dialog.Command1, Qt::LeftButton); });
            for (int k = 0; k < 4; ++k)
                actions.push_back([&dialog, &random] {
                    std::uniform_int_distribution<int> box(1, 9);
                    dialog.Text[box(random)]->setText(QString::fromStdString(RandomText(random)));
                });
        } else if (current == forms::kSecondary) {
            auto &dialog = w.Get<Form3>(current);
            actions.push_back([&dialog] { QTest::mouseClick(dialog.Command1, Qt::LeftButton); });
        } else if (current == forms::kWinter) {
            auto &dialog = w.Get<Form5>(current);
            for (int k = 0; k < 4; ++k)
                actions.push_back(
                    [&dialog] { QTest::mouseClick(dialog.Command1, Qt::LeftButton); });
            for (int k = 0; k < 4; ++k)
                actions.push_back([&dialog, &random] {
                    std::uniform_int_distribution<int> box(1, 8);
                    dialog.Text[box(random)]->setText(QString::fromStdString(RandomText(random)));
                });
            actions.push_back([&dialog] {
                dialog.Choice[9]->setCurrentIndex(1 - dialog.Choice[9]->currentIndex());
            });
        } else if (current == forms::kNote) {
            auto &dialog = w.Get<Form4>(current);
            actions.push_back([&dialog] { QTest::mouseClick(dialog.返回, Qt::LeftButton); });
        }

        std::uniform_int_distribution<size_t> pick(0, actions.size() - 1);
        try {
            actions[pick(random)]();
            QApplication::processEvents();
        } catch (const std::exception &error) {
            FAIL() << "step " << step << ": exception escaped: " << error.what();
        }

        ASSERT_LE(program->windows().LoadCount(forms::kMain), 1) << "step " << step;
        if (program->ended) {
            ASSERT_TRUE(program->windows().VisibleWindows().isEmpty()) << "step " << step;
            program = std::make_unique<Program>(prompts);
            ++programsRun;
        }
    }
    RecordProperty("programs", programsRun);
    RecordProperty("messages", prompts.messages);
    EXPECT_GT(programsRun, 1);
    EXPECT_GT(prompts.messages, 0);
}
