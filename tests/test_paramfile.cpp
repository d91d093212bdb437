// The parameter file: SEND and GET with FILE selected.
#include <gtest/gtest.h>

#include <QFile>

#include "params/paramfile.h"
#include "support/rig.h"
#include "support/sample_parameters.h"
#include "ui/grid.h"

namespace {

void WriteText(const QString& path, const QByteArray& text) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

}  // namespace

TEST(ParameterFile, DefaultsFileBeginsAsDocumented) {
    ParameterSet defaults{};
    ReadParameterValues(IniText(), defaults);
    const QByteArray bytes = BuildParameterFile(defaults).ToBytes();
    EXPECT_TRUE(
        bytes.startsWith("[GENERAL INFO]\r\nFILE TYPE: = \"Parameter File\"\r\n"
                         "SCOPE VERSION: = \"CHROMIK3-DLS-Scope V4.2\"\r\n\r\n"
                         "[PARAMETER]\r\nPOWER = 500\r\nPOWER MODE = 0\r\n"));
    EXPECT_TRUE(
        bytes.contains("[TEACH VECTOR 0]\r\nCELL 0 = 1\r\nCELL 1 = 1\r\nCELL 2 = 1\r\n"
                       "CELL 3 = 1\r\nCELL 4 = 1\r\nGROUP = 0\r\nHOLD = 10\r\n\r\n"));
    EXPECT_TRUE(
        bytes.endsWith("[TEACH VECTOR 30]\r\nCELL 0 = 1\r\nCELL 1 = 1\r\nCELL 2 = 1\r\n"
                       "CELL 3 = 1\r\nCELL 4 = 1\r\nGROUP = 0\r\nHOLD = 10\r\n\r\n"));
}

TEST(ParameterFile, RoundTripKeepsEveryWordButNeverTheReservedOnes) {
    const ParameterSet written = SampleParameters();
    ParameterSet read{};
    for (TeachVector& row : read.table) row.reserved = 0x1234;
    const ParameterFileGaps gaps =
        ReadParameterValues(IniText::FromBytes(BuildParameterFile(written).ToBytes()), read);
    EXPECT_TRUE(gaps.scalars.isEmpty());
    EXPECT_TRUE(gaps.rows.isEmpty());
    ParameterSet expected = written;
    for (TeachVector& row : expected.table) row.reserved = 0x1234;
    EXPECT_EQ(std::memcmp(&expected, &read, sizeof read), 0);
    EXPECT_FALSE(BuildParameterFile(written).ToBytes().contains("48879"))
        << "0xBEEF is never stored";
}

TEST(ParameterFile, MissingItemsGetDefaultsAndAreListed) {
    IniText ini = BuildParameterFile(SampleParameters());
    QByteArray bytes = ini.ToBytes();
    bytes.replace("GAIN = 8\r\n", "");
    bytes.replace("EXTERN TEACH = 0\r\n", "");
    bytes.replace("POWER = 900\r\n", "POWER = 70000\r\n");
    bytes.replace("[TEACH VECTOR 4]\r\nCELL 0 = 4\r\n", "[TEACH VECTOR 4]\r\n");
    ParameterSet read{};
    const ParameterFileGaps gaps = ReadParameterValues(IniText::FromBytes(bytes), read);
    EXPECT_EQ(gaps.scalars, "EXTEACH\nGAIN\n");
    EXPECT_EQ(gaps.rows, "TEACH VECTOR 4\n");
    EXPECT_EQ(read.scalars.gain, 5);
    EXPECT_EQ(read.scalars.externTeach, 0);
    EXPECT_EQ(read.scalars.power, 4464);
    EXPECT_EQ(read.table[4].cell[0], 1);
}

TEST(ParameterFile, SendAndGetWithFileExchangeNoFrame) {
    Rig rig;
    Program& p = rig.program;
    p.link.settings.comPort = 1;
    ASSERT_TRUE(p.link.OpenComPort());
    p.StartUp();
    rig.sim.ClearRequests();
    p.flags.memorySelect = MemorySelect::File;
    const QString path = rig.sim.Dir() + "/mine.ini";
    p.panels.mainUi.SlidePower->setValue(321);
    SetCellWord(p.panels.mainUi.GridCtt, 7, 2, 999);
    rig.platform.fileAnswers = {{FileChoice::New, path}};
    p.transfer.SendParameters();
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(rig.platform.fileRequests[0].title, "Parameter");
    EXPECT_EQ(rig.platform.fileRequests[0].filter, "*.ini");
    EXPECT_TRUE(rig.platform.fileRequests[0].startPath.endsWith("/Parameter.ini"));

    p.panels.mainUi.SlidePower->setValue(1);
    SetCellWord(p.panels.mainUi.GridCtt, 7, 2, 1);
    rig.platform.fileAnswers = {{FileChoice::Existing, path}};
    p.transfer.GetParameters();
    EXPECT_EQ(p.panels.mainUi.SlidePower->value(), 321);
    EXPECT_EQ(CellWord(p.panels.mainUi.GridCtt, 7, 2), 999);
    EXPECT_TRUE(rig.sim.Requests().isEmpty());
    EXPECT_EQ(p.paths.parameterFile, path);
    EXPECT_TRUE(rig.platform.fileRequests[1].startPath.startsWith(rig.sim.Dir()));
}

TEST(ParameterFile, DialogOutcomesAndHeaderQuestions) {
    struct Case {
        const char* name;
        QByteArray content;  // empty: no file on disk
        FileChoice::Kind kind;
        QList<bool> answers;
        QStringList shown;  // texts of the popups, in order
        bool read;
    };
    const QByteArray good = BuildParameterFile(SampleParameters()).ToBytes();
    QByteArray otherType = good;
    otherType.replace("Parameter File", "Table Attributes");
    QByteArray otherVersion = good;
    otherVersion.replace("V4.2", "V4.1");
    const Case cases[] = {
        {"cancelled", "", FileChoice::None, {}, {"No file was selected!"}, false},
        {"new file for reading", "", FileChoice::New, {}, {"No file was selected!"}, false},
        {"other type declined",
         otherType,
         FileChoice::Existing,
         {false},
         {"Selected file is not a parameter file! \nDo you want to proceed anyway?",
          "No parameter where read!"},
         false},
        {"other version accepted",
         otherVersion,
         FileChoice::Existing,
         {true},
         {"Selected file and scope version do not match! \nDo you want to proceed anyway?"},
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        Program& p = rig.program;
        p.panels.mainUi.SlidePower->setValue(123);
        p.paramControls.ControlsToParameterSet();
        const QString path = rig.sim.Dir() + "/p.ini";
        if (!c.content.isEmpty()) WriteText(path, c.content);
        rig.platform.fileAnswers = {{c.kind, path}};
        rig.platform.confirmAnswers = c.answers;
        p.flags.memorySelect = MemorySelect::File;
        p.transfer.GetParameters();
        QStringList shown;
        for (const auto& s : rig.platform.shown) shown << s.text;
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(p.panels.mainUi.SlidePower->value(), c.read ? 900 : 123);
    }
}

TEST(ParameterFile, FailedWriteIsReported) {
    Rig rig;
    rig.platform.fileAnswers = {{FileChoice::New, rig.sim.Dir() + "/no such dir/p.ini"}};
    rig.program.parameterFile.WriteParameterFile();
    ASSERT_EQ(rig.platform.shown.size(), 1);
    EXPECT_EQ(rig.platform.shown[0].text, "Parameter file could not be saved!");
}
