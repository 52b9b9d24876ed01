#include "commands/command_line.h"

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace {

struct Outcome {
    int status = -1;
    std::string out, err;
};

// The built program, with the arguments and what it reads on standard input.
Outcome Program(const QStringList &arguments, const std::string &input = {})
{
    QProcess program;
    program.start(QStringLiteral(IDCHART_PROGRAM), arguments);
    program.write(input.data(), static_cast<qint64>(input.size()));
    program.closeWriteChannel();
    if (!program.waitForFinished(30000) || program.exitStatus() != QProcess::NormalExit)
        return {};
    return {program.exitCode(), program.readAllStandardOutput().toStdString(),
            program.readAllStandardError().toStdString()};
}

std::vector<std::string> Lines(const std::string &text)
{
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = text.find('\n', at);
        lines.push_back(text.substr(at, end - at));
        at = end == std::string::npos ? text.size() : end + 1;
    }
    return lines;
}

// The properties of the single-state csv output other than t and φ (ts, td,
// d, i, Pq, Pqb, v, ρ), joined by commas: the columns the table adds to t and φ.
std::string AddedToTemperatureAndPhi(const char *t, const char *phi)
{
    const Outcome single
        = Program({QStringLiteral("state"), QStringLiteral("--t"), QString::fromUtf8(t),
                   QStringLiteral("--phi"), QString::fromUtf8(phi), QStringLiteral("--format"),
                   QStringLiteral("csv")});
    const std::vector<std::string> lines = Lines(single.out);
    if (lines.size() < 2)
        return {};
    std::vector<std::string> cells;
    std::size_t at = 0;
    for (std::size_t comma; (comma = lines[1].find(',', at)) != std::string::npos; at = comma + 1)
        cells.push_back(lines[1].substr(at, comma - at));
    std::string added;
    for (const std::size_t k : {1, 2, 4, 5, 6, 7, 8, 9})
        added += (added.empty() ? "" : ",") + cells.at(k);
    return added;
}

} // namespace

// A weather table with a bad row: the good rows get every property, as the
// single-state command gives them; the bad ones empty cells and a message
// naming their line; the exit status says that a row failed.
TEST(StateCommand, TableWithABadRow)
{
    const std::string table = "time,t,phi,station\n"
                              "1,32,65,\"Nanjing, Jiangsu\"\n"
                              "2,20,120,x\n"
                              "3,,50,y\n"
                              "\n"
                              "5,26,abc,z\n"
                              "6,-5,80,q\n";
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("weather.csv"));
    std::ofstream(path.toStdString(), std::ios::binary) << table;

    for (const bool fromStandardInput : {false, true}) {
        SCOPED_TRACE(fromStandardInput ? "standard input" : "file");
        const Outcome run = fromStandardInput
            ? Program({QStringLiteral("state"), QStringLiteral("--input"), QStringLiteral("-")},
                      table)
            : Program({QStringLiteral("state"), QStringLiteral("--input"), path});
        EXPECT_EQ(run.status, exit_status::kStopped) << run.err;
        const std::vector<std::string> out = Lines(run.out);
        ASSERT_EQ(out.size(), 6u) << run.out;
        EXPECT_EQ(out[0], "time,t,phi,station,ts,td,d,i,Pq,Pqb,v,rho");
        EXPECT_EQ(out[1], "1,32,65,\"Nanjing, Jiangsu\"," + AddedToTemperatureAndPhi("32", "65"));
        EXPECT_EQ(out[2], "2,20,120,x,,,,,,,,");
        EXPECT_EQ(out[3], "3,,50,y,,,,,,,,");
        EXPECT_EQ(out[4], "5,26,abc,z,,,,,,,,");
        EXPECT_EQ(out[5], "6,-5,80,q," + AddedToTemperatureAndPhi("-5", "80"));
        const std::vector<std::string> err = Lines(run.err);
        ASSERT_EQ(err.size(), 3u) << run.err;
        EXPECT_NE(err[0].find("第 3 行"), std::string::npos) << err[0];
        EXPECT_NE(err[0].find("超过 100%"), std::string::npos) << err[0];
        EXPECT_NE(err[1].find("第 4 行"), std::string::npos) << err[1];
        EXPECT_NE(err[2].find("第 6 行"), std::string::npos) << err[2];
        EXPECT_NE(err[2].find("abc"), std::string::npos) << err[2];
    }
}

// Tables the command cannot read as a whole, and one without a bad row.
TEST(StateCommand, TableHeadersAndStatuses)
{
    struct Row {
        const char *name;
        std::string table;
        QStringList options;
        int status;
        const char *err; // part of standard error
    };
    const Row rows[] = {
        {"all rows good, CRLF and a byte-order mark",
         "\xEF\xBB\xBF"
         "D,I\r\n10,50\r\n",
         {},
         exit_status::kSuccess,
         ""},
        {"one property column", "t,x\n20,1\n", {}, exit_status::kUsage, "现有 1 列"},
        {"three property columns", "t,d,i\n20,1,2\n", {}, exit_status::kUsage, "现有 3 列"},
        {"the same property twice", "t,T\n20,21\n", {}, exit_status::kUsage, "同一个参数"},
        {"a pair of one quantity", "d,td\n10,3\n", {}, exit_status::kUsage, "只确定一个量"},
        {"an empty table", "", {}, exit_status::kUsage, "表格是空的"},
        {"json asked for", "t,phi\n20,50\n", {"--format", "json"}, exit_status::kUsage, "csv"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const Outcome run = Program(QStringList {"state", "--input", "-"} + row.options, row.table);
        EXPECT_EQ(run.status, row.status) << run.err;
        if (*row.err == '\0')
            EXPECT_EQ(run.err, "");
        else
            EXPECT_NE(run.err.find(row.err), std::string::npos) << run.err;
    }
    const Outcome good = Program({"state", "--input", "-"},
                                 "\xEF\xBB\xBF"
                                 "D,I\r\n10,50\r\n");
    EXPECT_EQ(good.out.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_NE(good.out.find("D,I,t,ts,td,phi,Pq,Pqb,v,rho\r\n10,50,2"), std::string::npos)
        << good.out;
}
