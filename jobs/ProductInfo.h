#pragma once

#include <QString>

// The program's constant texts: the window caption, the about box, the mail link and the
// command's --version use them.
namespace ProductInfo {
inline const QString name = QStringLiteral("Clipvane");
inline const QString version = QStringLiteral("1.40");
inline const QString homePage = QStringLiteral("https://www.example.com/clipvane/");
inline const QString supportEmail = QStringLiteral("support@example.com");
} // namespace ProductInfo
