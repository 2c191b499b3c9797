// The window "ZENTAL Field", driven with keys and mouse on the offscreen platform, and the way a
// place it adds reaches zental's own profiles window.
#include "field/core/fieldmessages.h"
#include "field/window/fieldwindow.h"
#include "support/windowfixture.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QClipboard>
#include <QCompleter>
#include <QGuiApplication>
#include <QLayout>
#include <QPromise>

using namespace Qt::StringLiterals;
using namespace zental;

const QString shippedData = QFileInfo(FIELD_DATA_DIR ""_L1).absoluteFilePath(); // with its drive

class tst_FieldWindow : public QObject {
    Q_OBJECT
    std::unique_ptr<FieldWindow> window;

    void open(const Separators& separators = dotSeparators, const QString& dataDir = shippedData,
              const PlacesLoader& loadPlaces = openPlaces) {
        const FieldFiles files{
            {dataDir + u"/wmmhr.cof"_s, dataDir + u"/wmm.cof"_s, dataDir + u"/igrfcoeffs.txt"_s},
            dataDir + u"/places.tsv"_s};
        const QString profiles = QDir::current().filePath(u"Profiles.ini"_s);
        window = std::make_unique<FieldWindow>(
            FieldWindowSetup{separators, QDate(2026, 1, 1), files, profiles, loadPlaces});
        showActive(window.get());
        QTRY_VERIFY(status() != fieldtext::modelLoading);
    }
    // A box or the status line by its accessible name, a button by its caption.
    template <typename T> T* named(const QString& name) const {
        for (T* widget : window->findChildren<T*>())
            if (widget->accessibleName() == name || widget->text().remove(u'&') == name)
                return widget;
        qFatal("no %s", qPrintable(name));
    }
    QLineEdit* box(const QString& name) const { return named<QLineEdit>(name); }
    QString status() const { return named<QLabel>(u"Status"_s)->text(); }
    // The NT value as a screen reader announces it, "NT value: 50940.7".
    QString ntValue() const {
        for (QLabel* label : window->findChildren<QLabel*>())
            if (const QString name =
                    QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name);
                name.startsWith(u"NT value: "))
                return name.mid(10);
        return {};
    }
    void type(const QString& name, const QString& text) { retype(box(name), text); }
    // The list of places under Place.
    QAbstractItemView* suggestions() const { return window->findChild<QCompleter*>()->popup(); }
    // Latitude, longitude and height as the boxes show them, "51.5|-0.13|20".
    QString where() const {
        return box(u"Latitude"_s)->text() + u'|' + box(u"Longitude"_s)->text() + u'|' +
               box(u"Height"_s)->text();
    }
    // Return in Place's list, once the places are there to list: the best match.
    void chooseBestMatch() {
        QTRY_VERIFY(suggestions()->isVisible());
        QTest::keyClick(suggestions(), Qt::Key_Return);
    }
    void press(const QString& caption) {
        QTest::mouseClick(named<QPushButton>(caption), Qt::LeftButton);
    }

private slots:
    // The places may finish loading before the user types, between two keys, after the last, or
    // after the user has moved on to Latitude. Nothing is filled in until the user chooses: Down
    // and Return in the list then choose the first suggestion all the same; it is copied, added
    // behind the one profile there, listed by zental's profiles window and loaded into its NT
    // value box. A user who has moved on keeps typing there: no list opens to take the keys.
    void placesArrive_data() {
        QTest::addColumn<QString>("beforeLoad"); // typed in Place; a Tab moves on to Latitude
        QTest::newRow("before the first key") << u""_s;
        QTest::newRow("between keys") << u"Den"_s;
        QTest::newRow("after the last key") << u"Denver"_s;
        QTest::newRow("after the user moved on") << u"Denver\t"_s;
    }
    void placesArrive() {
        QFETCH(QString, beforeLoad);
        const bool movedOn = beforeLoad.endsWith(u'\t');
        WindowFixture zental;
        const QByteArray home = "Home\r\n48000\r\n";
        QVERIFY(writeFile(u"Profiles.ini"_s, home));
        QPromise<Result<Gazetteer>> places; // arrive when released, not when a thread is done
        QString placesPath;
        open(dotSeparators, shippedData, [&](const QString& path) {
            placesPath = path;
            places.start();
            return places.future();
        });
        type(u"Place"_s, beforeLoad);
        places.addResult(Gazetteer::open(placesPath));
        places.finish();
        typeKeys(box(u"Place"_s), u"Denver"_s.mid(beforeLoad.size()));
        QAbstractItemView* popup = suggestions();
        QTRY_VERIFY(popup->model()->rowCount() > 0);
        QCOMPARE(popup->isVisible(), !movedOn);
        QCOMPARE(box(u"Latitude"_s)->text(), QString());
        if (movedOn) {
            typeKeys(QApplication::focusWidget(), u"1"_s);
            QCOMPARE(box(u"Latitude"_s)->text(), u"1"_s);
            return;
        }
        QCOMPARE(popup->model()->index(0, 0).data().toString(), u"Denver, CO, United States"_s);
        QTest::keyClick(popup, Qt::Key_Down);
        QTest::keyClick(popup, Qt::Key_Return);
        QCOMPARE(box(u"Place"_s)->text(), u"Denver, CO, United States"_s);
        QCOMPARE(box(u"Latitude"_s)->text(), u"39.73915"_s);
        const QString nt = ntValue();
        QVERIFY2(QRegularExpression(u"^5\\d{4}\\.\\d$"_s).match(nt).hasMatch(), qPrintable(nt));
        press(u"Copy NT Value"_s);
        QCOMPARE(QGuiApplication::clipboard()->text(), nt);
        press(u"Add to Profiles"_s);
        QCOMPARE(fileContent(u"Profiles.ini"_s),
                 home + "Denver, CO, United States\r\n" + nt.toUtf8() + "\r\n");

        zental.open();
        QWidget* profiles = zental.openProfiles();
        profiles->findChild<QAction*>(u"R"_s)->trigger();
        chooseEntry(profiles->findChild<QComboBox*>(u"Combo1"_s), 1);
        QTest::mouseClick(profiles->findChild<QPushButton*>(u"Command1"_s), Qt::LeftButton);
        QCOMPARE(zental.control<QLineEdit>(u"NT_V"_s)->text(), nt);
    }

    // Coordinates and a height the user typed stay through names that match nothing and names not
    // yet chosen; a chosen place brings its own, which go again when Place stops naming it or the
    // user edits the coordinates.
    void typedNumbersStay() {
        open();
        type(u"Latitude"_s, u"51.5"_s);
        type(u"Longitude"_s, u"-0.13"_s);
        type(u"Height"_s, u"20"_s);
        const QString typed = u"51.5|-0.13|20"_s, london = ntValue();
        QCOMPARE(box(u"Profile name"_s)->text(), u"51.50000 -0.13000"_s);
        for (const QString& name : {u"My garden"_s, u""_s, u"Geneva"_s}) {
            type(u"Place"_s, name);
            QCOMPARE(where(), typed);
            QCOMPARE(ntValue(), london);
            QVERIFY2(name.isEmpty() != status().contains(u"not a place chosen"_s),
                     qPrintable(status()));
        }
        chooseBestMatch(); // not the first that starts with the text, Geneva, Illinois
        QCOMPARE(box(u"Place"_s)->text(), u"Genève, Switzerland"_s);
        QCOMPARE(box(u"Profile name"_s)->text(), u"Genève, Switzerland"_s);
        const QString geneva = where();
        QVERIFY2(!geneva.startsWith(u"51.5|"_s) && !geneva.endsWith(u"|20"_s), qPrintable(geneva));
        QTest::keyClick(box(u"Place"_s), Qt::Key_Backspace);
        QCOMPARE(where(), typed);
        QCOMPARE(ntValue(), london);
        typeKeys(box(u"Place"_s), u"d"_s);
        chooseBestMatch();
        QCOMPARE(where(), geneva);
        type(u"Latitude"_s, u"47.4"_s); // the user's own now: the place and its height go
        QCOMPARE(box(u"Place"_s)->text(), QString());
        QCOMPARE(where(), u"47.4|"_s + geneva.section(u'|', 1, 1) + u"|20"_s);
    }

    // "Add to Profiles" writes the name box's text with the value shown: the name follows the
    // result until the user writes one, a measured value says so, the first-use example pair goes,
    // a pair already there is refused with the file unchanged, nothing goes without a value.
    void addToProfiles() {
        WindowFixture zental;
        QVERIFY(writeFile(u"Profiles.ini"_s, "Location Name\r\nNT Value\r\n"));
        open();
        type(u"Latitude"_s, u"51.5"_s);
        type(u"Longitude"_s, u"-0.13"_s);
        type(u"Proton frequency"_s, u"2047.8"_s);
        QCOMPARE(box(u"Profile name"_s)->text(), u"51.50000 -0.13000 (measured)"_s);
        type(u"Profile name"_s, u"My garden"_s);
        type(u"Date"_s, u"2026-06-01"_s);
        QCOMPARE(box(u"Profile name"_s)->text(), u"My garden"_s);
        press(u"Add to Profiles"_s);
        const QByteArray added = "My garden\r\n" + ntValue().toUtf8() + "\r\n";
        QCOMPARE(fileContent(u"Profiles.ini"_s), added);
        QVERIFY2(status().endsWith(u"to \"Profiles.ini\" in the folder \"%1\"."_s.arg(
                     QDir::toNativeSeparators(QDir::currentPath()))),
                 qPrintable(status()));
        press(u"Add to Profiles"_s);
        QCOMPARE(fileContent(u"Profiles.ini"_s), added);
        QVERIFY2(status().contains(u"is already in"_s), qPrintable(status()));
        type(u"Proton frequency"_s, u"894468085106"_s);
        QVERIFY2(status().contains(u"7 characters"_s), qPrintable(status()));
        QVERIFY(!named<QPushButton>(u"Add to Profiles"_s)->isEnabled());
        type(u"Proton frequency"_s, u""_s);
        type(u"Profile name"_s, u""_s);
        QCOMPARE(box(u"Profile name"_s)->text(), QString());
        QVERIFY(!named<QPushButton>(u"Add to Profiles"_s)->isEnabled());
        type(u"Latitude"_s, u"51.6"_s); // an empty name follows the result again
        QCOMPARE(box(u"Profile name"_s)->text(), u"51.60000 -0.13000"_s);
        QVERIFY(named<QPushButton>(u"Add to Profiles"_s)->isEnabled());
    }

    // One size from the start: before a result, with one, with an error, with the list open.
    void keepsItsSize() {
        open();
        const QSize size = window->size();
        for (const auto& [name, text] : {std::pair(u"Latitude"_s, u"39.7"_s),
                                         {u"Longitude"_s, u"-105"_s},
                                         {u"Date"_s, u"2026-02-30"_s},
                                         {u"Date"_s, u"2026-01-01"_s},
                                         {u"Place"_s, u"Llanfairpwllgwyngyll"_s},
                                         {u"Height"_s, u"abc"_s}}) {
            type(name, text);
            window->layout()->activate();
            QCOMPARE(window->size(), size);
            QVERIFY(window->minimumSizeHint().height() <= size.height());
        }
    }

    // What the user types, box by box ("Box=text|Box=text"), in a "," locale, and a pattern of
    // the NT value shown, or words of the problem shown instead.
    static void row(const char* name, const QString& typed, const QString& shown) {
        QTest::newRow(name) << typed.split(u'|') << shown;
    }
    void inputs_data() {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QString>("shown");
        row("coordinates", u"Latitude=39,7392|Longitude=-104,9847"_s, u"^5\\d{4},\\d$"_s);
        row("proton frequency", u"Proton frequency=2047,80851063830"_s, u"^48123,5$"_s);
        row("latitude abc", u"Latitude=abc|Longitude=0"_s, u"\"abc\" is not a number"_s);
        row("unknown place", u"Place=Xqzzyville"_s, u"No place called \"Xqzzyville\""_s);
        row("date after the model", u"Latitude=1|Longitude=2|Date=2030-01-01"_s,
            u"1900-01-01 to 2029-12-31"_s);
        row("proton -5", u"Proton frequency=-5"_s, u"not a positive number"_s);
    }
    void inputs() {
        QFETCH(QStringList, typed);
        QFETCH(QString, shown);
        open(commaSeparators);
        for (const QString& entry : typed)
            type(entry.section(u'=', 0, 0), entry.section(u'=', 1));
        const bool refused = !shown.startsWith(u'^');
        if (refused) // an unknown place is known to be unknown once the gazetteer has loaded
            QTRY_VERIFY2(status().contains(shown), qPrintable(status()));
        QVERIFY2(refused ? ntValue().isEmpty()
                         : QRegularExpression(shown).match(ntValue()).hasMatch(),
                 qPrintable(ntValue()));
        for (QPushButton* button : window->findChildren<QPushButton*>())
            QCOMPARE(button->isEnabled(), !refused);
    }

    // Keyboard first: focus starts in Place and Tab walks the boxes in reading order.
    void tabOrder() {
        open();
        QTRY_VERIFY(qobject_cast<QLineEdit*>(QApplication::focusWidget()));
        QStringList visited;
        for (int i = 0; i < 6; ++i, QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab))
            visited << QApplication::focusWidget()->accessibleName();
        QCOMPARE(visited, (QStringList{u"Place"_s, u"Latitude"_s, u"Longitude"_s, u"Height"_s,
                                       u"Date"_s, u"Proton frequency"_s}));
    }

    void missingDataFiles() {
        open(dotSeparators, u"/nonexistent"_s);
        const QString gone = QDir::toNativeSeparators(u"/nonexistent/%1\" could not be read"_s);
        QVERIFY2(status().contains(gone.arg(u"wmmhr.cof"_s)), qPrintable(status()));
        type(u"Place"_s, u"Denver"_s);
        QTRY_VERIFY2(status().contains(gone.arg(u"places.tsv"_s)), qPrintable(status()));
    }
};

QTEST_MAIN(tst_FieldWindow)
#include "tst_fieldwindow.moc"
