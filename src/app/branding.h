#pragma once
// The branding block on the main window's banner: title, contact lines and logo.

#include <QString>

class QWidget;

constexpr const char* LOGO_FILE = "chromik-scope-logo.png";

// Creates the four labels and the logo on banner (whose origin is the main window's).
// A missing logo file leaves the logo empty.
void DrawBrandingBlock(QWidget* banner, const QString& programDir);
