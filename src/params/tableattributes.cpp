#include "params/tableattributes.h"

#include <QTableWidget>

#include "params/settingsfile.h"
#include "ui/grid.h"
#include "ui/platform.h"

namespace {

void PaintCell(QTableWidget* table, int row, int column, uint32_t color) {
    QTableWidgetItem* cell = table->item(row, column);
    if (!cell) {
        cell = new QTableWidgetItem;
        cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);  // a colour, not a value
        table->setItem(row, column, cell);
    }
    cell->setBackground(QColor::fromRgb(color));
}

}  // namespace

QString TableAttributeSection(int row) { return QString("TABLE ATTR OF TEACH VECTOR %1").arg(row); }

void AppendTableAttributeSections(IniText& ini, const RowColors& colors, const QStringList& specs) {
    for (int r = 0; r < TEACH_ROWS; ++r) {
        ini.PutInt(TableAttributeSection(r), "Row color", static_cast<int>(colors[r]));
        ini.PutString(TableAttributeSection(r), "Row specification", specs.value(r));
    }
}

QStringList ReadTableAttributeValues(const IniText& ini, RowColors& colors, QStringList& specs) {
    QStringList missing;
    specs.clear();
    for (int r = 0; r < TEACH_ROWS; ++r) {
        const QString section = TableAttributeSection(r);
        const auto color = ini.GetInt(section, "Row color");
        if (color && *color >= 0 && *color <= 0xFFFFFF) {
            colors[r] = static_cast<uint32_t>(*color);
        } else {
            colors[r] = DefaultRowColor(r);
            missing << section;
        }
        specs << ini.GetString(section, "Row specification", ROW_SPECIFICATION_CHARS)
                     .value_or(QString());
    }
    return missing;
}

namespace {
constexpr int AUTOMATIC = 1;  // item of the colour mode ring
const QString FILE_TYPE = "Table Attributes";

void ShowColour(QPushButton* button, uint32_t colour) {
    button->setStyleSheet(QString("background-color: #%1;").arg(colour, 6, 16, QChar('0')));
}
}  // namespace

TableAttributes::TableAttributes(Panels& panels, Platform& platform, QString& rememberedPath)
    : panels_(panels), platform_(platform), rememberedPath_(rememberedPath) {
    Ui::MAINP& m = panels_.mainUi;
    // The files keep 99 characters of a row's text: the editor takes no more.
    QTableWidget* table = m.GridSpecification;
    table->setItemDelegateForColumn(0, new TextDelegate(ROW_SPECIFICATION_CHARS, table));
    ShowColour(m.EditColorNumericRow, selectedColour_);
    connect(m.EditSetColor, &QComboBox::activated, this, &TableAttributes::ApplyColourMode);
    connect(m.EditRow, &QSpinBox::editingFinished, this, &TableAttributes::ApplyColourMode);
    connect(m.EditColorNumericRow, &QPushButton::clicked, this, &TableAttributes::ChooseColour);
    connect(m.ButtonSetRowColor, &QPushButton::clicked, this, [this] {
        SetRowColor(panels_.mainUi.EditRow->value(), selectedColour_);
        emit RowColorsChanged();
    });
    connect(m.ButtonSaveArray, &QPushButton::clicked, this,
            &TableAttributes::WriteTableAttributesFile);
    connect(m.ButtonGetArray, &QPushButton::clicked, this,
            &TableAttributes::ReadTableAttributesFile);
    connect(m.ButtonTableAttrReset, &QPushButton::clicked, this,
            &TableAttributes::ResetTableAttributes);
    ApplyColourMode();
}

void TableAttributes::ChooseColour() {
    if (const auto colour = platform_.SelectColour("Indicator color", selectedColour_)) {
        selectedColour_ = *colour;
        ShowColour(panels_.mainUi.EditColorNumericRow, selectedColour_);
    }
    ApplyColourMode();
}

void TableAttributes::ApplyColourMode() {
    Ui::MAINP& m = panels_.mainUi;
    const bool automatic = m.EditSetColor->currentIndex() == AUTOMATIC;
    for (QWidget* w : {static_cast<QWidget*>(m.EditRow),
                       static_cast<QWidget*>(m.EditColorNumericRow),
                       static_cast<QWidget*>(m.ButtonSetRowColor)})
        w->setEnabled(!automatic);
    panels_.datap.ui.DispColor->setVisible(automatic);
}

void TableAttributes::WriteTableAttributesFile() {
    const QString path = ChooseSettingsFile(platform_, "TableAttributes", "TableAttributes.ini",
                                            rememberedPath_, true);
    if (path.isEmpty()) return;
    IniText ini = NewSettingsFile(FILE_TYPE);
    WriteTableAttributeSections(ini);
    // Attributes believed saved but lost would be typed in again from memory.
    if (!ini.WriteToFile(path))
        platform_.Message("ATTENTION!", "Table attributes file could not be saved!");
}

void TableAttributes::ReadTableAttributesFile() {
    const QString path = ChooseSettingsFile(platform_, "TableAttributes", "TableAttributes.ini",
                                            rememberedPath_, false);
    if (path.isEmpty()) return;
    IniText ini;
    ini.ReadFromFile(path);  // an unreadable file reads as one without any item
    if (!SettingsHeaderAccepted(
            platform_, ini, FILE_TYPE,
            "Selected file is not a table attributes file! "))
        return;
    ReadTableAttributeSections(ini, true);
    ApplyRowColors();
    emit RowColorsChanged();
}

void TableAttributes::ResetTableAttributes() {
    if (!platform_.Confirm("ATTENTION!", "Do you really want to reset the table?")) return;
    rowColors = DefaultRowColors();
    ApplyRowColors();
    QTableWidget* table = panels_.mainUi.GridSpecification;
    for (int r = 0; r < TEACH_ROWS; ++r)
        if (QTableWidgetItem* cell = table->item(r, 0)) cell->setText(QString());
    emit RowColorsChanged();
}

QStringList TableAttributes::Specifications() const {
    QStringList specs;
    const QTableWidget* table = panels_.mainUi.GridSpecification;
    for (int r = 0; r < TEACH_ROWS; ++r)
        specs << (table->item(r, 0) ? table->item(r, 0)->text() : QString());
    return specs;
}

void TableAttributes::WriteTableAttributeSections(IniText& ini) {
    AppendTableAttributeSections(ini, rowColors, Specifications());
}

void TableAttributes::ReadTableAttributeSections(const IniText& ini, bool report) {
    QStringList specs;
    const QStringList missing = ReadTableAttributeValues(ini, rowColors, specs);
    QTableWidget* table = panels_.mainUi.GridSpecification;
    for (int r = 0; r < TEACH_ROWS; ++r) {
        if (!table->item(r, 0)) table->setItem(r, 0, new QTableWidgetItem);
        table->item(r, 0)->setText(specs.value(r));
    }
    if (report && !missing.isEmpty())
        platform_.Message(
            "Attention!",
            "Following teach vectors could not be read \nand where set to default value:\n\n" +
                missing.join('\n') + '\n');
}

void TableAttributes::ApplyRowColors() {
    for (int r = 0; r < TEACH_ROWS; ++r) SetRowColor(r, rowColors[r]);
}

void TableAttributes::SetRowColor(int row, uint32_t colour) {
    Ui::MAINP& m = panels_.mainUi;
    rowColors[row] = colour;
    PaintCell(m.GridCtt, row, TEACH_CELLS, colour);
    PaintCell(m.GridSpecification, row, 1, colour);
    PaintCell(m.EditGridGroups, row, 1, colour);
    PaintCell(m.EditGridHold, row + 1, 1, colour);
}
