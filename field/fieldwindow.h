// The window "ZENTAL Field": the NT value at a place or at coordinates, or from a measured proton
// frequency, recomputed as the user types; copied to the clipboard or added to the profiles.
#pragma once

#include "commandline.h"
#include "fieldreport.h"
#include "gazetteer.h"

#include <QFuture>
#include <QFutureWatcher>
#include <QWidget>

#include <functional>
#include <optional>

class QCompleter;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QStringListModel;

namespace zental {

class ValueLabel;

// What loads the gazetteer, given its path; the window shows its first frame without waiting.
using PlacesLoader = std::function<QFuture<std::optional<Gazetteer>>(const QString& path)>;

// Opens the gazetteer on a worker thread.
QFuture<std::optional<Gazetteer>> loadPlacesInBackground(const QString& path);

struct FieldWindowSetup {
    Separators separators;
    QDate today;
    FieldFiles files;
    QString profilePath; // where "Add to Profiles" appends
    PlacesLoader loadPlaces = loadPlacesInBackground;
};

class FieldWindow : public QWidget {
public:
    explicit FieldWindow(FieldWindowSetup setup, QWidget* parent = nullptr);

private:
    QLineEdit* addInput(const QString& name, const QString& caption, const QString& unit = {});
    void buildResult();
    void placesLoaded();
    void placeEdited(const QString& text);
    QString placesProblem(const QString& text) const;
    void placeChosen(const QModelIndex& index);
    void coordinatesEdited();
    void usePlace(const Place& place);
    void recompute();
    std::variant<double, QString> numberIn(const QLineEdit* box, double whenEmpty) const;
    std::variant<FieldReport, QString> fieldReport() const;
    void showNtValue(double nanotesla, const QStringList& details);
    void showProblem(const QString& problem);
    void copyNtValue();
    void addToProfiles();

    FieldWindowSetup m_setup;
    std::optional<MagneticModel> m_model;
    std::optional<Gazetteer> m_places;
    QFutureWatcher<std::optional<Gazetteer>> m_loading;
    QList<Place> m_suggestions;
    QString m_placeName; // the place the coordinates came from, until they are edited
    QString m_profileName;

    QGridLayout* m_inputs = nullptr;
    QLineEdit* m_place = nullptr;
    QLineEdit* m_latitude = nullptr;
    QLineEdit* m_longitude = nullptr;
    QLineEdit* m_height = nullptr;
    QLineEdit* m_date = nullptr;
    QLineEdit* m_proton = nullptr;
    QStringListModel* m_suggestionList = nullptr;
    QCompleter* m_completer = nullptr;
    ValueLabel* m_ntValue = nullptr;
    QLabel* m_details = nullptr;
    QLabel* m_status = nullptr;
    QPushButton* m_copy = nullptr;
    QPushButton* m_add = nullptr;
};

} // namespace zental
