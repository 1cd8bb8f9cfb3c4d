// SPDX-License-Identifier: GPL-3.0-or-later
// Qt's standard dialogs speak German with the translations the package depends on, whatever
// the locale (the test runs under LC_ALL=C).
#include "Translations.h"

#include <QColorDialog>
#include <QInputDialog>
#include <QTest>

class TranslationsTest : public QObject {
    Q_OBJECT

private slots:
    void standardDialogsAreGerman() {
        QVERIFY(brixolan::installGermanTranslations(*qApp));
        QInputDialog input;
        QCOMPARE(input.okButtonText().remove(u'&'), "OK");
        QCOMPARE(input.cancelButtonText().remove(u'&'), "Abbrechen");
        QColorDialog colors;
        QCOMPARE(colors.windowTitle(), "Farbauswahl");
    }
};

QTEST_MAIN(TranslationsTest)
#include "TranslationsTest.moc"
