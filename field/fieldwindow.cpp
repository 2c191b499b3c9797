#include "fieldwindow.h"

#include "fielddate.h"
#include "profileappend.h"
#include "valuelabel.h"

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

QFuture<std::optional<Gazetteer>> loadPlacesInBackground(const QString& path) {
    return QtConcurrent::run(&Gazetteer::open, path);
}

FieldWindow::FieldWindow(FieldWindowSetup setup, QWidget* parent)
    : QWidget(parent)
    , m_setup(std::move(setup))
    , m_model(MagneticModel::load(m_setup.files.model)) {
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

    connect(&m_loading, &QFutureWatcher<std::optional<Gazetteer>>::finished, this,
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
    m_copy = new QPushButton(u"&Copy NT Value"_s, this);
    m_add = new QPushButton(u"&Add to Profiles"_s, this);
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
    m_suggestions = m_places ? m_places->search(text, suggestionCount) : QList<Place>();
    QStringList shown;
    for (const Place& place : std::as_const(m_suggestions))
        shown << placeText(place);
    m_suggestionList->setStringList(shown);
    if (m_suggestions.isEmpty()) {
        m_placeName.clear();
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
    if (m_places)
        return u"No place called \"%1\" is known."_s.arg(text);
    if (m_loading.isFinished())
        return u"The places file \"%1\" could not be read."_s.arg(m_setup.files.places);
    return u"The places are still loading."_s;
}

void FieldWindow::placeChosen(const QModelIndex& index) {
    if (index.row() >= 0 && index.row() < m_suggestions.size())
        usePlace(m_suggestions[index.row()]);
}

void FieldWindow::coordinatesEdited() {
    m_placeName.clear(); // the coordinates are no longer the place's
    m_place->clear();
    recompute();
}

void FieldWindow::usePlace(const Place& place) {
    const Site site = siteOf(place);
    m_placeName = site.name;
    m_latitude->setText(fixedText(site.latitude, 5, m_setup.separators));
    m_longitude->setText(fixedText(site.longitude, 5, m_setup.separators));
    m_height->setText(fixedText(site.heightMetres, 0, m_setup.separators));
    recompute();
}

std::variant<double, QString> FieldWindow::numberIn(const QLineEdit* box, double whenEmpty) const {
    if (box->text().trimmed().isEmpty())
        return whenEmpty;
    if (const std::optional<double> value =
            parseNumber(box->text().toStdString(), m_setup.separators))
        return *value;
    return u"%1: \"%2\" is not a number."_s.arg(box->accessibleName(), box->text());
}

std::variant<FieldReport, QString> FieldWindow::fieldReport() const {
    if (!m_model)
        return u"The model file \"%1\" could not be read."_s.arg(m_setup.files.model);
    if (m_latitude->text().trimmed().isEmpty() || m_longitude->text().trimmed().isEmpty())
        return u"Type a place, or a latitude and a longitude."_s;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    double numbers[3];
    const QLineEdit* boxes[3] = {m_latitude, m_longitude, m_height};
    for (int i = 0; i < 3; ++i) {
        const std::variant<double, QString> number = numberIn(boxes[i], i == 2 ? 0 : nan);
        if (const QString* problem = std::get_if<QString>(&number))
            return *problem;
        numbers[i] = std::get<double>(number);
    }
    const std::optional<double> year = m_date->text().trimmed().isEmpty()
                                           ? decimalYearOf(m_setup.today)
                                           : parseDate(m_date->text());
    if (!year)
        return u"Date: \"%1\" is not a date of the form YYYY-MM-DD."_s.arg(m_date->text());
    return reportOf(*m_model, {{m_placeName, numbers[0], numbers[1], numbers[2]}, *year});
}

void FieldWindow::recompute() {
    if (!m_proton->text().trimmed().isEmpty()) {
        const std::optional<double> hertz =
            parseNumber(m_proton->text().toStdString(), m_setup.separators);
        if (!hertz || !(*hertz > 0) || !std::isfinite(*hertz))
            return showProblem(u"Proton frequency: \"%1\" is not a positive number of hertz."_s.arg(
                m_proton->text()));
        m_profileName =
            m_placeName.isEmpty() ? u"Proton %1 Hz"_s.arg(m_proton->text().trimmed()) : m_placeName;
        return showNtValue(protonNtValue(*hertz),
                           {u"From the proton frequency: NT = f × 2350 / 100."_s});
    }
    const std::variant<FieldReport, QString> report = fieldReport();
    if (const QString* problem = std::get_if<QString>(&report))
        return showProblem(*problem);
    const auto& facts = std::get<FieldReport>(report);
    m_profileName = siteName(facts.site, m_setup.separators);
    showNtValue(facts.field.total, reportLines(facts, m_setup.separators));
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
    m_status->setText(u"Copied %1 to the clipboard."_s.arg(m_ntValue->text()));
}

void FieldWindow::addToProfiles() {
    const std::optional<QString> refusal =
        appendProfile(m_setup.profilePath, m_profileName, m_ntValue->text());
    m_status->setText(refusal.value_or(u"Added \"%1\" with %2 to \"%3\"."_s.arg(
        m_profileName, m_ntValue->text(), QFileInfo(m_setup.profilePath).fileName())));
}

} // namespace zental
