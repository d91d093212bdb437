#include "params/tableattributes.h"

#include <QTableWidget>

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

TableAttributes::TableAttributes(Panels& panels, Platform& platform)
    : panels_(panels), platform_(platform) {
    // The files keep 99 characters of a row's text: the editor takes no more.
    QTableWidget* table = panels_.mainUi.GridSpecification;
    table->setItemDelegateForColumn(0, new TextDelegate(ROW_SPECIFICATION_CHARS, table));
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
