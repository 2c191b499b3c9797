#include "field/window/fieldwindow.h"

#include "field/core/fieldmessages.h"
#include "field/core/fieldquery.h"
#include "field/core/profileappend.h"
#include "widgets/pushbutton.h"
#include "widgets/valuelabel.h"

#include <QClipboard>
#include <QCompleter>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringListModel>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

using namespace Qt::StringLiterals;

namespace zental {
namespace {

constexpr int suggestionCount = 10;

const QString credits = u"Field: World Magnetic Model, NOAA NCEI (public domain), through "
                        "GeographicLib. Places: GeoNames, geonames.org (CC BY 4.0). The model is "
                        "good to about 150 nT in F; local rock and magnetic storms add more."_s;

} // namespace

QFuture<Result<Gazetteer>> loadPlacesInBackground(const QString& path) {
    return QtConcurrent::run(&Gazetteer::open, path);
}

FieldWindow::FieldWindow(FieldWindowSetup setup, QWidget* parent)
    : QWidget(parent)
    , m_setup(std::move(setup))
    , m_model(FieldModels::load(m_setup.files.models)) {
    setWindowTitle(u"ZENTAL Field"_s);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize); // as large as its content, no larger
    m_inputs = new QGridLayout;
    layout->addLayout(m_inputs);
    m_place = addInput(u"Place"_s, u"&Place:"_s);
    m_latitude = addInput(u"Latitude"_s, u"&Latitude:"_s, u"°"_s);
    m_longitude = addInput(u"Longitude"_s, u"L&ongitude:"_s, u"°"_s);
    m_height = addInput(u"Height"_s, u"&Height:"_s, u"m"_s);
    m_date = addInput(u"Date"_s, u"&Date:"_s, u"YYYY-MM-DD"_s);
    m_proton = addInput(u"Proton frequency"_s, u"P&roton frequency:"_s, u"Hz"_s);
    m_date->setText(m_setup.today.toString(Qt::ISODate));
    m_place->setMinimumWidth(320);
    m_place->setPlaceholderText(u"a town or city, e.g. Denver or Paris, France"_s);

    m_suggestionList = new QStringListModel(this);
    m_completer = new QCompleter(m_suggestionList, this);
    m_completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion); // the gazetteer filters
    m_place->setCompleter(m_completer);
    connect(m_place, &QLineEdit::textEdited, this, &FieldWindow::placeEdited);
    connect(m_completer, qOverload<const QModelIndex&>(&QCompleter::activated), this,
            &FieldWindow::placeChosen);
    for (QLineEdit* box : {m_latitude, m_longitude})
        connect(box, &QLineEdit::textEdited, this, &FieldWindow::coordinatesEdited);
    for (QLineEdit* box : {m_height, m_date, m_proton})
        connect(box, &QLineEdit::textEdited, this, &FieldWindow::recompute);
    buildResult();

    connect(&m_loading, &QFutureWatcher<Result<Gazetteer>>::finished, this,
            &FieldWindow::placesLoaded);
    m_loading.setFuture(m_setup.loadPlaces(m_setup.files.places));
    m_place->setFocus();
    recompute();
}

QLineEdit* FieldWindow::addInput(const QString& name, const QString& caption, const QString& unit) {
    auto* box = new QLineEdit(this);
    box->setAccessibleName(name);
    auto* label = new QLabel(caption, this);
    label->setBuddy(box);
    const int row = m_inputs->rowCount();
    m_inputs->addWidget(label, row, 0);
    m_inputs->addWidget(box, row, 1);
    m_inputs->addWidget(new QLabel(unit, this), row, 2);
    return box;
}

void FieldWindow::buildResult() {
    auto* result = new QHBoxLayout;
    result->addWidget(new QLabel(u"NT value:"_s, this));
    m_ntValue = new ValueLabel(u"NT value"_s, this);
    m_ntValue->setMinimumWidth(120);
    QFont large = m_ntValue->font();
    large.setPointSizeF(large.pointSizeF() * 1.5);
    large.setBold(true);
    m_ntValue->setFont(large);
    result->addWidget(m_ntValue);
    result->addStretch();
    m_details = new QLabel(this);
    m_details->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_details->setAccessibleName(u"Field details"_s);
    m_status = new QLabel(this);
    m_status->setWordWrap(true);
    m_status->setAccessibleName(u"Status"_s);
    m_copy = new PushButton(u"&Copy NT Value"_s, this);
    m_add = new PushButton(u"&Add to Profiles"_s, this);
    connect(m_copy, &QPushButton::clicked, this, &FieldWindow::copyNtValue);
    connect(m_add, &QPushButton::clicked, this, &FieldWindow::addToProfiles);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_copy);
    buttons->addWidget(m_add);
    buttons->addStretch();
    auto* help = new QLabel(credits, this);
    help->setWordWrap(true);
    help->setAccessibleName(u"Help"_s);
    auto* layout = qobject_cast<QVBoxLayout*>(this->layout());
    layout->addLayout(result);
    layout->addWidget(m_details);
    layout->addWidget(m_status);
    layout->addLayout(buttons);
    layout->addWidget(help);
}

// The user may have typed a name before the places were there: it is looked up now.
void FieldWindow::placesLoaded() {
    m_places = m_loading.result();
    if (!m_place->text().isEmpty())
        placeEdited(m_place->text());
}

void FieldWindow::placeEdited(const QString& text) {
    m_suggestions =
        m_places && *m_places ? (*m_places)->search(text, suggestionCount) : QList<Place>();
    QStringList shown;
    for (const Place& place : std::as_const(m_suggestions))
        shown << placeText(place);
    m_suggestionList->setStringList(shown);
    if (m_suggestions.isEmpty()) {
        m_chosen.reset();
        if (text.trimmed().isEmpty())
            recompute();
        else
            showProblem(placesProblem(text));
        return;
    }
    // A list opened under a box the user has left would take the keys meant for another box.
    if (m_place->hasFocus())
        m_completer->complete();
    usePlace(m_suggestions.first());
}

QString FieldWindow::placesProblem(const QString& text) const {
    if (!m_places)
        return fieldtext::placesLoading;
    if (!*m_places)
        return m_places->error();
    return fieldtext::noPlaceCalled(text);
}

void FieldWindow::placeChosen(const QModelIndex& index) {
    if (index.row() >= 0 && index.row() < m_suggestions.size())
        usePlace(m_suggestions[index.row()]);
}

void FieldWindow::coordinatesEdited() {
    m_chosen.reset(); // the coordinates are no longer the place's
    m_place->clear();
    recompute();
}

void FieldWindow::usePlace(const Place& place) {
    m_chosen = siteOf(place);
    m_latitude->setText(fixedText(m_chosen->latitude, 5, m_setup.separators));
    m_longitude->setText(fixedText(m_chosen->longitude, 5, m_setup.separators));
    m_height->setText(fixedText(m_chosen->heightMetres, 0, m_setup.separators));
    recompute();
}

Result<FieldReport> FieldWindow::fieldReport() const {
    if (!m_model)
        return Failure{m_model.error()};
    const Result<FieldQuery> query = parseFieldInputs(
        {m_chosen, m_latitude->text(), m_longitude->text(), m_height->text(), m_date->text()},
        m_setup.today, m_setup.separators);
    if (!query)
        return Failure{query.error()};
    return reportOf(*m_model, *query);
}

void FieldWindow::recompute() {
    if (!m_proton->text().trimmed().isEmpty()) {
        const Result<double> nt = parseProtonFrequency(m_proton->text(), m_setup.separators);
        if (!nt)
            return showProblem(nt.error());
        m_profileName =
            m_chosen ? m_chosen->name : u"Proton %1 Hz"_s.arg(m_proton->text().trimmed());
        return showNtValue(*nt, {u"From the proton frequency: NT = f × 2350 / 100."_s});
    }
    const Result<FieldReport> report = fieldReport();
    if (!report)
        return showProblem(report.error());
    m_profileName = siteName(report->site, m_setup.separators);
    showNtValue(report->field.total, reportLines(*report, m_setup.separators));
}

void FieldWindow::showNtValue(double nanotesla, const QStringList& details) {
    m_ntValue->setValue(ntValueText(nanotesla, m_setup.separators));
    m_details->setText(details.join(u'\n'));
    m_status->clear();
    m_copy->setEnabled(true);
    m_add->setEnabled(true);
}

void FieldWindow::showProblem(const QString& problem) {
    m_ntValue->setValue({});
    m_details->clear();
    m_status->setText(problem);
    m_copy->setEnabled(false);
    m_add->setEnabled(false);
}

void FieldWindow::copyNtValue() {
    QGuiApplication::clipboard()->setText(m_ntValue->text());
    m_status->setText(fieldtext::copied(m_ntValue->text()));
}

void FieldWindow::addToProfiles() {
    const Status added = appendProfile(m_setup.profilePath, m_profileName, m_ntValue->text());
    m_status->setText(
        added ? fieldtext::profileAdded(m_profileName, m_ntValue->text(), m_setup.profilePath)
              : added.error());
}

} // namespace zental
