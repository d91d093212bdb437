// The table attributes page: row colours, the colour mode, and the table attributes
// file with its dialog, header questions and missing-row report.
#include <gtest/gtest.h>

#include <QFile>
#include <qcustomplot.h>

#include "support/rig.h"

namespace {

struct AttributesRig : Rig {
    void WriteFile(const QString& name, const QByteArray& text) {
        QFile file(sim.Dir() + "/" + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    void Answer(const QString& name, FileChoice::Kind kind = FileChoice::Existing) {
        platform.fileAnswers << FileChoice{kind, sim.Dir() + "/" + name};
    }
    QColor Cell(QTableWidget* grid, int row, int column) {
        return grid->item(row, column)->background().color();
    }
    Ui::MAINP& m = program.panels.mainUi;
};

QByteArray AttributesFile(const QList<int>& rowsWithoutColour, const QString& row0Text) {
    QByteArray text =
        "[GENERAL INFO]\r\nFILE TYPE: = \"Table Attributes\"\r\n"
        "SCOPE VERSION: = \"CHROMIK3-DLS-Scope V4.2\"\r\n\r\n";
    for (int r = 0; r < TEACH_ROWS; ++r) {
        text += QString("[TABLE ATTR OF TEACH VECTOR %1]\r\n").arg(r).toLatin1();
        if (!rowsWithoutColour.contains(r)) text += "Row color = 4227200\r\n";
        text += "Row specification = \"" + (r == 0 ? row0Text : QString()).toLatin1() + "\"\r\n\r\n";
    }
    return text;
}

}  // namespace

TEST(TableAttributes, AssignedColourReachesEveryTableAndTheGraphs) {
    AttributesRig r;
    r.platform.colourAnswers = {0x0000FF};
    r.m.EditColorNumericRow->click();
    r.m.EditRow->setValue(3);
    r.m.ButtonSetRowColor->click();
    const QColor blue(0, 0, 255);
    EXPECT_EQ(r.Cell(r.m.GridCtt, 3, 5), blue);
    EXPECT_EQ(r.Cell(r.m.GridSpecification, 3, 1), blue);
    EXPECT_EQ(r.Cell(r.m.EditGridGroups, 3, 1), blue);
    EXPECT_EQ(r.Cell(r.m.EditGridHold, 4, 1), blue);
    EXPECT_EQ(r.program.attributes.rowColors[3], 0x0000FFu);
    QCustomPlot* xy = r.program.panels.datap.ui.Graph2D;
    int ellipses = 0;
    for (int i = 0; i < xy->itemCount(); ++i)
        if (auto* e = qobject_cast<QCPItemEllipse*>(xy->item(i)); e && ellipses++ == 3)
            EXPECT_EQ(e->pen().color(), blue);
}

TEST(TableAttributes, ResetAsksAndRestoresThePalette) {
    AttributesRig r;
    r.program.attributes.SetRowColor(15, 0x123456);
    r.m.GridSpecification->setItem(2, 0, new QTableWidgetItem("blue cap"));
    r.platform.confirmAnswers = {true};
    r.m.ButtonTableAttrReset->click();
    EXPECT_EQ(r.platform.shown[0].text, "Do you really want to reset the table?");
    for (int row : {0, 15, 30}) EXPECT_EQ(r.Cell(r.m.GridCtt, row, 5), QColor(255, 0, 0)) << row;
    for (int row : {3, 18}) EXPECT_EQ(r.Cell(r.m.GridCtt, row, 5), QColor(0, 0, 0)) << row;
    EXPECT_EQ(r.m.GridSpecification->item(2, 0)->text(), "");
}

TEST(TableAttributes, FileLoadReportsMissingColoursAndCutsLongTexts) {
    AttributesRig r;
    r.WriteFile("attrs.ini", AttributesFile({5, 7}, QString(150, 'a')));
    r.Answer("attrs.ini");
    r.m.ButtonGetArray->click();
    ASSERT_EQ(r.platform.shown.size(), 1);
    EXPECT_EQ(r.platform.shown[0].title, "Attention!");
    EXPECT_EQ(r.platform.shown[0].text,
              "Following teach vectors could not be read \nand where set to default value:\n\n"
              "TABLE ATTR OF TEACH VECTOR 5\nTABLE ATTR OF TEACH VECTOR 7\n");
    EXPECT_EQ(r.program.attributes.rowColors[5], DefaultRowColor(5));
    EXPECT_EQ(r.program.attributes.rowColors[6], 4227200u);
    EXPECT_EQ(r.Cell(r.m.GridCtt, 6, 5), QColor::fromRgb(4227200));
    EXPECT_EQ(r.m.GridSpecification->item(0, 0)->text(), QString(99, 'a'));
}

TEST(TableAttributes, DialogAndHeaderOutcomes) {
    struct Case {
        const char* name;
        FileChoice::Kind kind;
        QByteArray file;
        QList<bool> confirms;
        QStringList texts;
    };
    QByteArray otherType = AttributesFile({}, "x");
    otherType.replace("Table Attributes", "Parameter File");
    const Case cases[] = {
        {"cancelled", FileChoice::None, {}, {}, {"No file was selected!"}},
        {"new file for reading", FileChoice::New, {}, {}, {"No file was selected!"}},
        {"other type declined", FileChoice::Existing, otherType, {false},
         {"Selected file is not a table attributes file! \nDo you want to proceed anyway?",
          "No parameter where read!"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AttributesRig r;
        if (!c.file.isEmpty()) r.WriteFile("attrs.ini", c.file);
        r.Answer("attrs.ini", c.kind);
        r.platform.confirmAnswers = c.confirms;
        r.m.ButtonGetArray->click();
        QStringList texts;
        for (const auto& shown : r.platform.shown) texts << shown.text;
        EXPECT_EQ(texts, c.texts);
        EXPECT_EQ(r.program.attributes.rowColors, DefaultRowColors());
    }
}

TEST(TableAttributes, SaveWritesTheFileAndReportsAFailure) {
    AttributesRig r;
    r.program.attributes.SetRowColor(0, 0x00FF00);
    r.Answer("saved.ini", FileChoice::New);
    r.m.ButtonSaveArray->click();
    IniText ini;
    ASSERT_TRUE(ini.ReadFromFile(r.sim.Dir() + "/saved.ini"));
    EXPECT_EQ(ini.GetString("GENERAL INFO", "FILE TYPE:"), "Table Attributes");
    EXPECT_EQ(ini.GetInt("TABLE ATTR OF TEACH VECTOR 0", "Row color"), 0x00FF00);
    EXPECT_TRUE(r.platform.shown.isEmpty());

    // A directory that is really a file: no user can write there.
    r.Answer("saved.ini/attrs.ini", FileChoice::New);
    r.m.ButtonSaveArray->click();
    ASSERT_EQ(r.platform.shown.size(), 1);
    EXPECT_EQ(r.platform.shown[0].title, "ATTENTION!");
    EXPECT_EQ(r.platform.shown[0].text, "Table attributes file could not be saved!");
}

TEST(TableAttributes, AutomaticModeRestsTheManualControlsAndShowsTheSwatch) {
    AttributesRig r;
    r.program.window.show();
    for (int mode : {1, 0}) {
        r.m.EditSetColor->setCurrentIndex(mode);
        emit r.m.EditSetColor->activated(mode);
        EXPECT_EQ(r.m.EditRow->isEnabled(), mode == 0);
        EXPECT_EQ(r.m.EditColorNumericRow->isEnabled(), mode == 0);
        EXPECT_EQ(r.m.ButtonSetRowColor->isEnabled(), mode == 0);
        EXPECT_EQ(r.program.panels.datap.ui.DispColor->isVisibleTo(&r.program.panels.datap.widget),
                  mode == 1);
    }
}
