#pragma once
// Attributes of the teach rows that live only on the PC: an indicator colour and a
// text naming the taught colour, kept in the table attributes file and the panel
// settings file.

#include <QObject>
#include <QStringList>
#include <array>
#include <cstdint>

#include "files/ini.h"
#include "core/parameterset.h"
#include "core/rowcolors.h"
#include "ui/panels.h"

class Platform;

constexpr int ROW_SPECIFICATION_CHARS = 99;

QString TableAttributeSection(int row);

// The 31 row sections, colour and text of each row.
void AppendTableAttributeSections(IniText& ini, const RowColors& colors, const QStringList& specs);
// Reads the sections; a row whose colour cannot be read gets its default. Returns the
// section names of those rows.
QStringList ReadTableAttributeValues(const IniText& ini, RowColors& colors, QStringList& specs);

// The widgets' side: the row-text table, the four colour columns and the table
// attributes page.
class TableAttributes : public QObject {
    Q_OBJECT
  public:
    TableAttributes(Panels& panels, Platform& platform, QString& rememberedPath);

    RowColors rowColors = DefaultRowColors();

    void WriteTableAttributeSections(IniText& ini);
    // With report, rows whose colour was missing are listed in a popup.
    void ReadTableAttributeSections(const IniText& ini, bool report);
    // Paints RowColors into the colour cells of the four row tables.
    void ApplyRowColors();
    // A row's colour into RowColors and its colour cells.
    void SetRowColor(int row, uint32_t colour);
    void WriteTableAttributesFile();
    void ReadTableAttributesFile();
    void ResetTableAttributes();
    // Automatically: the row, colour and assign controls rest and DATAP shows the swatch.
    void ApplyColourMode();

  signals:
    // The graphs redraw the taught colours.
    void RowColorsChanged();

  private:
    QStringList Specifications() const;
    void ChooseColour();
    Panels& panels_;
    Platform& platform_;
    QString& rememberedPath_;
    uint32_t selectedColour_ = 0xFF0000;
};
