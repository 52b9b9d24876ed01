#include "commands/state_table.h"

#include "text/blanks.h"
#include "text/number_text.h"
#include "text/strict_number.h"

#include "portable/std_shims.h"
#include <vector>

using state_solver::Property;

namespace state_table {

namespace {

    // One record of the table: where its text lies (without its line end) and
    // where each field's value lies.
    struct Field {
        std::size_t begin = 0, end = 0; // the value's text, quotes excluded
        bool quoted = false;
    };

    class Reader {
    public:
        explicit Reader(std::string_view text) : text_(text) { }

        bool AtEnd() const { return at_ >= text_.size(); }
        // The line on which the record read last begins, counting from 1.
        int RecordLine() const { return recordLine_; }
        // The line end of the first record: CRLF or LF.
        std::string_view LineEnd() const { return lineEnd_; }

        // Reads the next record; its raw text, without its line end, is text_[begin, end).
        void Next(std::size_t &begin, std::size_t &end, std::vector<Field> &fields)
        {
            fields.clear();
            recordLine_ = line_;
            begin = at_;
            const std::size_t size = text_.size();
            auto endsField = [&](char c) { return c == ',' || c == '\n' || c == '\r'; };
            for (;;) {
                Field field;
                if (at_ < size && text_[at_] == '"') {
                    field.quoted = true;
                    field.begin = ++at_;
                    while (at_ < size) {
                        if (text_[at_] == '"') {
                            if (at_ + 1 < size && text_[at_ + 1] == '"') {
                                at_ += 2;
                                continue;
                            }
                            break;
                        }
                        if (text_[at_] == '\n')
                            ++line_;
                        ++at_;
                    }
                    field.end = at_;
                    if (at_ < size)
                        ++at_; // the closing quote
                    // Text after the closing quote stays in the record's raw text.
                    while (at_ < size && !endsField(text_[at_]))
                        ++at_;
                } else {
                    field.begin = at_;
                    while (at_ < size && !endsField(text_[at_]))
                        ++at_;
                    field.end = at_;
                }
                fields.push_back(field);
                if (at_ < size && text_[at_] == ',') {
                    ++at_;
                    continue;
                }
                break;
            }
            end = at_;
            const bool first = recordLine_ == 1;
            if (at_ < size && text_[at_] == '\r') {
                ++at_;
                if (at_ < size && text_[at_] == '\n') {
                    ++at_;
                    if (first)
                        lineEnd_ = "\r\n";
                }
            } else if (at_ < size) {
                ++at_; // LF
            }
            ++line_;
        }

        std::string FieldText(const Field &field) const
        {
            const std::string_view raw = text_.substr(field.begin, field.end - field.begin);
            if (!field.quoted)
                return std::string(raw);
            std::string value;
            for (std::size_t k = 0; k < raw.size(); ++k) {
                value += raw[k];
                if (raw[k] == '"')
                    ++k; // "" stands for one quote
            }
            return value;
        }

    private:
        std::string_view text_;
        std::size_t at_ = 0;
        int line_ = 1;
        int recordLine_ = 1;
        std::string_view lineEnd_ = "\n";
    };

    // The columns that can be added, with their names in the header.
    struct Column {
        Quantity quantity;
        const char *name;
    };

    constexpr Column kAddable[] = {
        {Quantity::t, "t"}, {Quantity::ts, "ts"},   {Quantity::td, "td"}, {Quantity::phi, "phi"},
        {Quantity::d, "d"}, {Quantity::i, "i"},     {Quantity::Pq, "Pq"}, {Quantity::Pqb, "Pqb"},
        {Quantity::v, "v"}, {Quantity::rho, "rho"},
    };

    void AppendValue(std::string &out, const MoistAirState &state, const Column &column)
    {
        if (const std::optional<float> value = QuantityValue(state, column.quantity))
            out += SingleText(*value);
    }

} // namespace

std::optional<float> QuantityValue(const MoistAirState &state, Quantity quantity)
{
    switch (quantity) {
    case Quantity::Pqb:
        return state.Pqb;
    case Quantity::v:
        return state.v;
    case Quantity::rho:
        return state.rho;
    default:
        return PropertyValue(state, *PropertyOf(quantity));
    }
}

std::optional<Property> PropertyOf(Quantity quantity)
{
    if (quantity >= Quantity::Pqb)
        return std::nullopt;
    return static_cast<Property>(quantity);
}

std::optional<double> CellNumber(std::string_view text)
{
    text = Trimmed(text);
    // Only a decimal number: sign, digits, point, exponent; the grammar is
    // checked first, as from_chars alone would also take "inf" and "nan".
    if (!IsDecimalNumber(text))
        return std::nullopt;
    // from_chars takes no "+"; a value beyond the range of a double gives nothing.
    return portable::DecimalNumber(text.substr(text[0] == '+' ? 1 : 0));
}

Result StatesOfTable(std::string_view csv, double B)
{
    Result result;
    std::string_view bom;
    if (csv.substr(0, 3) == "\xEF\xBB\xBF") {
        bom = csv.substr(0, 3);
        csv.remove_prefix(3);
    }
    Reader reader(csv);
    std::vector<Field> fields;
    std::size_t begin = 0, end = 0;
    if (reader.AtEnd()) {
        result.refusal
            = "表格是空的：第一行应是表头，其中两列是状态参数的名称（t、ts、td、phi、d、i、Pq）。";
        return result;
    }
    reader.Next(begin, end, fields);

    // The two property columns of the header.
    std::vector<std::pair<std::size_t, Property>> given;
    for (std::size_t k = 0; k < fields.size(); ++k)
        if (const auto p = state_solver::PropertyNamed(Trimmed(reader.FieldText(fields[k]))))
            given.emplace_back(k, *p);
    if (given.size() != 2) {
        result.refusal = "表头中应恰好有两列是状态参数的名称（t、ts、td、phi、d、i、Pq），现有 "
            + std::to_string(given.size()) + " 列。";
        return result;
    }
    if (auto why = state_solver::OneQuantityOnly(given[0].second, given[1].second)) {
        result.refusal = "表头中的 " + *why;
        return result;
    }
    const std::size_t headerFields = fields.size();
    std::vector<Column> added;
    for (const Column &column : kAddable) {
        const std::optional<Property> property = PropertyOf(column.quantity);
        if (property != given[0].second && property != given[1].second)
            added.push_back(column);
    }

    const std::string_view lineEnd = reader.LineEnd();
    std::string &out = result.out;
    out.reserve(csv.size() * 3 + 256);
    out += bom;
    out += csv.substr(begin, end - begin);
    for (const Column &column : added)
        out += ',', out += column.name;
    out += lineEnd;

    while (!reader.AtEnd()) {
        reader.Next(begin, end, fields);
        if (end == begin)
            continue; // an empty line
        const int line = reader.RecordLine();
        out += csv.substr(begin, end - begin);
        for (std::size_t k = fields.size(); k < headerFields; ++k)
            out += ',';

        std::string message;
        std::optional<MoistAirState> state;
        if (fields.size() > headerFields) {
            message = "字段数多于表头";
        } else {
            GivenProperty pair[2];
            for (int n = 0; n < 2 && message.empty(); ++n) {
                const auto [column, property] = given[static_cast<std::size_t>(n)];
                const std::string text
                    = column < fields.size() ? reader.FieldText(fields[column]) : std::string();
                const std::optional<double> value = CellNumber(text);
                if (!value)
                    message = Trimmed(text).empty()
                        ? std::string("缺少 ") + state_solver::PropertyKey(property) + " 的值"
                        : std::string(state_solver::PropertyKey(property)) + " 的值“" + text
                            + "”不是数";
                else
                    pair[n] = {property, *value};
            }
            if (message.empty()) {
                StateSolution solution = SolveState(B, pair[0], pair[1]);
                state = solution.state;
                message = std::move(solution.message);
            }
        }
        for (const Column &column : added) {
            out += ',';
            if (state)
                AppendValue(out, *state, column);
        }
        out += lineEnd;
        if (!state) {
            ++result.failedRows;
            result.err += "第 " + std::to_string(line) + " 行：" + message + "\n";
        }
    }
    return result;
}

} // namespace state_table
