#include "ui/grid.h"

#include <QLineEdit>
#include <QSpinBox>

QWidget* WordDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                    const QModelIndex&) const {
    auto* editor = new QSpinBox(parent);
    editor->setRange(0, 65535);
    editor->setFrame(false);
    return editor;
}

QWidget* TextDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                    const QModelIndex&) const {
    auto* editor = new QLineEdit(parent);
    editor->setMaxLength(maxChars_);
    editor->setFrame(false);
    return editor;
}

void SetCellWord(QTableWidget* table, int row, int column, uint16_t value) {
    QTableWidgetItem* cell = table->item(row, column);
    if (!cell) {
        cell = new QTableWidgetItem;
        cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        table->setItem(row, column, cell);
    }
    cell->setData(Qt::EditRole, static_cast<int>(value));
}

uint16_t CellWord(const QTableWidget* table, int row, int column) {
    const QTableWidgetItem* cell = table->item(row, column);
    if (!cell) return 0;
    bool ok = false;
    const int value = cell->data(Qt::EditRole).toInt(&ok);
    return ok ? static_cast<uint16_t>(std::clamp(value, 0, 65535)) : 0;
}
