// Accessible names and descriptions: what screen readers and UI automation see of
// every control that has help.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/helptexts.h"
#include "support/rig.h"

namespace {

// The one widget of that name on any panel (child panels sit inside MAINP, so the
// same widget turns up under two roots).
QWidget* FindControl(Program& p, const QString& name) {
    QSet<QWidget*> found;
    for (QWidget* root : p.panels.All()) {
        if (root->objectName() == name) found.insert(root);
        for (QWidget* w : root->findChildren<QWidget*>(name)) found.insert(w);
    }
    return found.size() == 1 ? *found.begin() : nullptr;
}

}  // namespace

TEST(Accessibility, EveryHelpControlHasANameAndItsHelpAsDescription) {
    Rig rig;
    for (int t = 0; t < HELP_TABLE_COUNT; ++t) {
        const HelpTable& table = HELP_TABLES[t];
        for (int i = 0; i < table.count; ++i) {
            const QString name = table.entries[i].control;
            QWidget* control = FindControl(rig.program, name);
            ASSERT_NE(control, nullptr) << name.toStdString();
            EXPECT_FALSE(control->accessibleName().trimmed().isEmpty()) << name.toStdString();
            EXPECT_EQ(control->accessibleDescription(),
                      QString::fromUtf8(table.entries[i].text).trimmed())
                << name.toStdString();
        }
    }
}

// The help of a tab control or a group of displays also answers on their parts,
// but those parts keep their own identity for a screen reader.
TEST(Accessibility, PartsThatShareTheHelpKeepTheirOwnDescription) {
    Rig rig;
    Program& p = rig.program;
    const QList<QWidget*> parts{
        p.panels.mainUi.TabMain1->tabBar(), p.panels.datap.ui.TabDataP1->tabBar(),
        FindControl(p, "DispRawGreen"),  // inside the DispBarsRAW group
    };
    for (QWidget* part : parts) {
        ASSERT_NE(part, nullptr);
        EXPECT_EQ(part->accessibleDescription(), "") << part->objectName().toStdString();
    }
    EXPECT_FALSE(p.panels.mainUi.TabMain1->tabBar()->toolTip().isEmpty());  // help still there
}

TEST(Accessibility, NamesOfProgramControls) {
    Rig rig;
    const struct {
        const char* control;
        const char* name;
    } cases[] = {
        // Own caption: button, check box.
        {"ButtonTryToConnect", "TRY TO CONNECT"},
        {"ButtonZoom11", "ZOOM 1:1"},
        {"RadioInc", "AUTO INC"},
        // Label of the form row, colon dropped.
        {"EditGain", "GAIN"},
        {"DispTemp", "TEMPERATURE"},
        {"EditInterval", "INTERVAL [s]"},
        {"StringIpAdress", "IP ADDRESS"},
        // No caption: the role from the object name.
        {"DispRedOffset", "Red Offset display"},
        {"SlidePower", "Power slider"},
        {"EditGridHold", "Hold table"},
        {"GridTP1Values", "TP 1 Values table"},
        {"DispMinMaxRGB0", "Min Max RGB 0 display"},
        {"Disp2DPageRed", "2D Page Red display"},
        {"Graph3DXY", "3D XY graph"},
        {"GraphRGB3D", "RGB 3D graph"},
        {"LedTrig", "Trig indicator"},
        // A tab control is named for what it is, not for its current page.
        {"TabMain1", "Main 1 tabs"},
        // A prefix that names no kind of control leaves the object name.
        {"PanelGraphGraph0", "PanelGraphGraph0"},
    };
    for (const auto& c : cases) {
        QWidget* control = FindControl(rig.program, c.control);
        ASSERT_NE(control, nullptr) << c.control;
        EXPECT_EQ(control->accessibleName(), c.name) << c.control;
    }
    // Typing into the editable address box happens in its line edit.
    EXPECT_EQ(rig.program.panels.mainUi.StringIpAdress->lineEdit()->accessibleName(), "IP ADDRESS");
}

// Captions as a designer may write them: mnemonics, rich text, a buddy label, a
// group box, a name already given in the .ui file.
TEST(Accessibility, NamesFromCaptionsOfEveryKind) {
    ScriptedPlatform platform;
    HelpPopups help(platform);
    QWidget root;
    auto* layout = new QVBoxLayout(&root);
    auto* save = new QPushButton("&Save && Exit");
    save->setObjectName("ButtonSave");
    auto* idLabel = new QLabel("Sensor &name :");
    auto* id = new QLineEdit;
    id->setObjectName("EditSensorName");
    idLabel->setBuddy(id);
    auto* group = new QGroupBox("&Limits:");
    group->setObjectName("EditLimits");
    auto* form = new QFormLayout;
    auto* gain = new QSpinBox;
    gain->setObjectName("EditGain");
    form->addRow("<b>Gain:</b>", gain);
    auto* preset = new QLineEdit;
    preset->setObjectName("DispPreset");
    preset->setAccessibleName("Preset value");
    auto* blank = new QPushButton;
    blank->setObjectName("ButtonPrint");
    auto* knob = new QSpinBox;
    knob->setObjectName("KnobSpeed");
    auto* table = new QSpinBox;  // starts like "Tab" but is no tab control
    table->setObjectName("TableSize");
    for (QWidget* w : QList<QWidget*>{save, idLabel, id, group, preset, blank, knob, table})
        layout->addWidget(w);
    layout->addLayout(form);

    const struct {
        const char* control;
        const char* name;
    } cases[] = {
        {"ButtonSave", "Save & Exit"},  {"EditSensorName", "Sensor name"},
        {"EditLimits", "Limits"},       {"EditGain", "Gain"},
        {"DispPreset", "Preset value"}, {"ButtonPrint", "Print button"},
        {"KnobSpeed", "KnobSpeed"},     {"TableSize", "TableSize"},
    };
    QList<HelpEntry> entries;
    for (const auto& c : cases) entries.append(HelpEntry{c.control, " Help text. \n"});
    EXPECT_TRUE(help.Install({&root}, entries.constData(), int(entries.size()), "Info").isEmpty());
    for (const auto& c : cases) {
        QWidget* control = root.findChild<QWidget*>(c.control);
        EXPECT_EQ(control->accessibleName(), c.name) << c.control;
        EXPECT_EQ(control->accessibleDescription(), "Help text.") << c.control;
    }
}

TEST(Accessibility, InterfacesReportNameAndDescription) {
    Rig rig;
    const struct {
        const char* control;
        const char* name;
        QString description;
    } cases[] = {
        {"ButtonAccept", "ACCEPT", "Accept settings for communication \nand switch to parapanel."},
        {"DispRedOffset", "Red Offset display", "Displays the offset values."},
    };
    for (const auto& c : cases) {
        QWidget* control = FindControl(rig.program, c.control);
        ASSERT_NE(control, nullptr) << c.control;
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(control);
        ASSERT_NE(iface, nullptr) << c.control;
        EXPECT_EQ(iface->text(QAccessible::Name), c.name) << c.control;
        EXPECT_EQ(iface->text(QAccessible::Description), c.description) << c.control;
    }
}
