#include "widgets/controlwidgets.h"

#include "widgets/fonts.h"
#include "widgets/pushbutton.h"
#include "widgets/valuelabel.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include <algorithm>
#include <limits>

namespace zental {
namespace {
constexpr int menuBarHeight = 20; // the height the layouts were drawn below
// Liberation Sans draws digits a little wider than the bitmap face the layout was drawn with, so
// values are set 3 % tighter: a 15-digit frequency then fits its label at every scale.
constexpr qreal valueLetterSpacing = 97;
} // namespace

QRect pixelRect(int left, int top, int width, int height) {
    return {layout::toPixels(left), layout::toPixels(top), layout::toPixels(width),
            layout::toPixels(height)};
}

QWidget* createControlWidget(const layout::Control& control, QWidget* client,
                             std::span<const layout::SpokenName> spokenNames) {
    const QString caption = toQString(control.caption);
    const auto spoken =
        std::find_if(spokenNames.begin(), spokenNames.end(),
                     [&](const auto& entry) { return entry.control == control.name; });
    const QString spokenName = spoken == spokenNames.end() ? QString() : toQString(spoken->name);
    QWidget* widget = nullptr;
    switch (control.kind) {
    case layout::Kind::Label: {
        auto* label = new QLabel(caption, client);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        widget = label;
        break;
    }
    case layout::Kind::ValueLabel:
        widget = new ValueLabel(spokenName, client);
        break;
    case layout::Kind::Button:
        widget = new PushButton(caption, client);
        break;
    case layout::Kind::TextBox:
        widget = new QLineEdit(caption, client);
        break;
    case layout::Kind::ComboBox: {
        auto* combo = new QComboBox(client);
        combo->setEditable(true);
        // A listed name longer than QLineEdit's default 32767 characters is shown whole.
        combo->lineEdit()->setMaxLength(std::numeric_limits<int>::max());
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setCompleter(nullptr);
        combo->setEditText(caption);
        widget = combo;
        break;
    }
    }
    if (control.kind == layout::Kind::Label || control.kind == layout::Kind::ValueLabel)
        widget->setAutoFillBackground(true); // a label hides what lies beneath it
    else if (!spokenName.isEmpty())
        widget->setAccessibleName(spokenName);
    widget->setObjectName(toQString(control.name));
    widget->setGeometry(pixelRect(control.left, control.top, control.width, control.height));
    QFont font = layoutFont(control.font);
    if (control.kind == layout::Kind::ValueLabel)
        font.setLetterSpacing(QFont::PercentageSpacing, valueLetterSpacing);
    widget->setFont(font);
    return widget;
}

QWidget* createFixedClient(QMainWindow* window, int widthTwips, int heightTwips) {
    auto* client = new QWidget(window);
    client->setFixedSize(layout::toPixels(widthTwips), layout::toPixels(heightTwips));
    window->setCentralWidget(client);
    window->menuBar()->setFixedHeight(menuBarHeight);
    window->layout()->setSizeConstraint(QLayout::SetFixedSize);
    return client;
}

void collectFocusable(std::map<int, QWidget*>& byTabIndex, const QWidget* client,
                      std::span<const layout::Control> controls) {
    for (const layout::Control& control : controls)
        if (control.kind != layout::Kind::Label && control.kind != layout::Kind::ValueLabel)
            byTabIndex[control.tabIndex] = client->findChild<QWidget*>(toQString(control.name));
}

void showPrompt(QComboBox* list, const QString& prompt) {
    list->setCurrentIndex(-1);
    list->setEditText(prompt);
}

void replaceEntries(QComboBox* list, const QStringList& entries, const QString& prompt) {
    list->clear();
    list->addItems(entries);
    showPrompt(list, prompt);
    // The box keeps its drawn size; its drop-down shows every name whole, up to the screen's width.
    QAbstractItemView* view = list->view();
    const int widest = view->sizeHintForColumn(0) + 2 * view->frameWidth() +
                       view->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    view->setMinimumWidth(std::min(widest, list->screen()->availableGeometry().width()));
}

void setTabOrderByIndex(const std::map<int, QWidget*>& byTabIndex) {
    QWidget* previous = nullptr;
    for (const auto& [index, widget] : byTabIndex) {
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

} // namespace zental
