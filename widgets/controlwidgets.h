// Builds the windows' controls from their layout tables.
#pragma once

#include "widgets/layout.h"

#include <QRect>
#include <QString>
#include <QStringList>

#include <map>
#include <span>
#include <string_view>

class QComboBox;
class QMainWindow;
class QWidget;

namespace zental {

inline QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QRect pixelRect(int left, int top, int width, int height);

// Gives the window a client area of the fixed size drawn, below a menu bar of the drawn height.
QWidget* createFixedClient(QMainWindow* window, int widthTwips, int heightTwips);

// The widget for one row of a layout table; `spokenNames` name it for screen readers.
QWidget* createControlWidget(const layout::Control& control, QWidget* client,
                             std::span<const layout::SpokenName> spokenNames);

// Adds the controls that can take the focus (all but labels) to `byTabIndex`.
void collectFocusable(std::map<int, QWidget*>& byTabIndex, const QWidget* client,
                      std::span<const layout::Control> controls);

// Lists the user may only choose from show a prompt as their text while no entry is chosen.
void showPrompt(QComboBox* list, const QString& prompt);
void replaceEntries(QComboBox* list, const QStringList& entries, const QString& prompt);

// Chains the keyboard focus through the widgets in the order of their tab indices.
void setTabOrderByIndex(const std::map<int, QWidget*>& byTabIndex);

} // namespace zental
