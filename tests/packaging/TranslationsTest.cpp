// SPDX-License-Identifier: GPL-3.0-or-later
// Qt's standard dialogs speak German with the translations the package depends on, whatever
// the locale (the test runs under LC_ALL=C).
#include "Translations.h"

#include <QInputDialog>
#include <QTest>

class TranslationsTest : public QObject {
    Q_OBJECT

private slots:
    void standardDialogsAreGerman() {
        QVERIFY(brixolan::installGermanTranslations(*qApp));
        QCOMPARE(QInputDialog().cancelButtonText().remove(u'&'), "Abbrechen");
    }
};

QTEST_MAIN(TranslationsTest)
#include "TranslationsTest.moc"
