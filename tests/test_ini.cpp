// The INI syntax of every settings file.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>

#include "files/ini.h"

TEST(IniText, WritesTheExactBytes) {
    IniText ini;
    ini.PutString("GENERAL INFO", "FILE TYPE:", "Parameter File");
    ini.PutInt(" PARAMETER ", " POWER ", 500);
    ini.PutInt("PARAMETER", "OFFSET", -3);
    EXPECT_EQ(ini.ToBytes(),
              "[GENERAL INFO]\r\nFILE TYPE: = \"Parameter File\"\r\n\r\n"
              "[PARAMETER]\r\nPOWER = 500\r\nOFFSET = -3\r\n\r\n");
}

TEST(IniText, StringsRoundTripWithEscapesAndLongRuns) {
    const QString cases[] = {
        "plain",
        "quote \" backslash \\ tab \t newline \n return \r bell \x07 end",
        QString(81, 'a'),
        QString(200, 'b') + "\"",
        QString::fromUtf8("Farbe Grün, µ"),
        "",
    };
    for (const QString& text : cases) {
        IniText ini;
        ini.PutString("S", "TEXT", text);
        const IniText back = IniText::FromBytes(ini.ToBytes());
        EXPECT_EQ(back.GetString("S", "TEXT", 100000).value_or("<missing>"), text)
            << text.toStdString();
    }
}

TEST(IniText, LongStringIsSplitIntoLineItems) {
    IniText ini;
    ini.PutString("S", "DATA", QString(80, 'x') + "y");
    EXPECT_EQ(ini.ToBytes(), "[S]\r\nDATA Line0001 = \"" + QByteArray(80, 'x') +
                                 "\"\r\nDATA Line0002 = \"y\"\r\n\r\n");
    IniText escaped;
    escaped.PutString("S", "T", QString(79, 'x') + "\n");  // 81 characters once escaped
    EXPECT_TRUE(escaped.ToBytes().contains("T Line0002 = \"\\n\""))
        << "the escape moves whole into the next piece";
    EXPECT_EQ(IniText::FromBytes(escaped.ToBytes()).GetString("S", "T"), QString(79, 'x') + "\n");
}

TEST(IniText, ReadsLeniently) {
    const QByteArray text =
        "; a comment\r\n"
        "[  general info ]\r\n"
        "  file type:   =   \"Parameter File\"  \r\n"
        "power=42\n"
        "NOVALUE =\r\n"
        "no equals sign\r\n"
        "text = unquoted words\r\n"
        "[numbers]\r\n"
        "a = 12x\r\n"
        "b = 3.5\r\n"
        "c = -7\r\n"
        "d = \r\n";
    const IniText ini = IniText::FromBytes(text);
    EXPECT_EQ(ini.GetString("GENERAL INFO", "FILE TYPE:"), "Parameter File");
    EXPECT_EQ(ini.GetInt("General Info", "POWER"), 42);
    EXPECT_FALSE(ini.GetString("GENERAL INFO", "NOVALUE"));
    EXPECT_FALSE(ini.GetString("GENERAL INFO", "no equals sign"));
    EXPECT_EQ(ini.GetString("GENERAL INFO", "TEXT"), "unquoted words");
    EXPECT_FALSE(ini.GetInt("NUMBERS", "a"));
    EXPECT_FALSE(ini.GetInt("NUMBERS", "b"));
    EXPECT_EQ(ini.GetInt("NUMBERS", "c"), -7);
    EXPECT_FALSE(ini.GetInt("NUMBERS", "d"));
    EXPECT_FALSE(ini.GetInt("MISSING", "c"));
}

TEST(IniText, DamagedInputReadsWhatItCan) {
    const struct {
        const char* name;
        QByteArray text;
        QString expected;  // value of S/T, "<missing>" when absent
    } cases[] = {
        {"missing closing quote", "[S]\nT = \"abc\n", "abc"},
        {"dangling escape", "[S]\nT = \"abc\\", "abc\\"},
        {"short hex escape", "[S]\nT = \"a\\x4\"", "a\\x4"},
        {"signed hex escape", "[S]\nT = \"a\\x-1b\"", "a\\x-1b"},
        {"hex escape", "[S]\nT = \"a\\x41\\x7f\"", "aA\x7f"},
        {"broken line run", "[S]\nT Line0001 = \"ab\"\nT Line0003 = \"cd\"\n", "ab"},
        {"run without first piece", "[S]\nT Line0002 = \"ab\"\n", "<missing>"},
        {"item before any section", "T = \"x\"\n[S]\n", "<missing>"},
        {"binary bytes", QByteArray("[S]\nT = \"\xff\xfe\x00\x01\"\n", 14),
         QString::fromLatin1("\xff\xfe\x00\x01", 4)},
    };
    for (const auto& c : cases) {
        const IniText ini = IniText::FromBytes(c.text);
        EXPECT_EQ(ini.GetString("S", "T").value_or("<missing>"), c.expected) << c.name;
    }
}

TEST(IniText, FailedWriteLeavesTheOldFileWhole) {
    QTemporaryDir dir;
    const QString path = dir.filePath("PanelSettings.cfg");
    IniText first;
    first.PutInt("A", "B", 1);
    ASSERT_TRUE(first.WriteToFile(path));
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    const QByteArray before = old.readAll();
    old.close();

    // A file-size limit makes the write fail for every user, root included.
    IniText second;
    second.PutString("A", "B", QString(4000, 'x'));
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 1024;
    setrlimit(RLIMIT_FSIZE, &small);
    const bool written = second.WriteToFile(path);
    setrlimit(RLIMIT_FSIZE, &saved);

    EXPECT_FALSE(written);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{"PanelSettings.cfg"})
        << "no temporary file left behind";
}
