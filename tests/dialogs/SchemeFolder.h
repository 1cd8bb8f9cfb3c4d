#pragma once

#include "BitmapCheck.h"
#include "Colors.h"
#include "FakeDialogServices.h"
#include "FakeMainWindowLink.h"
#include "ProgramFolder.h"
#include "ResourceStore.h"
#include "TestGraphics.h"
#include "WaitWindow.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <memory>
#include <vector>

namespace brixolan::fakes {

// Each scr/<n>.bmp carries its scheme's key at KeyInside (and, for 7, at the centre), also in
// column 0 and row 0 where it must stay, and a colour one step from the key at NearKey.
inline const QPoint KeyInside(6, 6), KeyInColumn0(0, 5), KeyInRow0(5, 0), NearKey(7, 7),
    Centre(12, 12), Background(3, 20);
inline const std::vector<BgrColor> SourceKeys = {
    0,          named::Green, named::Red,     named::Blue,
    named::Red, named::Cyan,  named::Magenta, 0x1E140A /* any colour */};
inline BgrColor nearColour(BgrColor key) {
    return key & 0xFF ? key - 1 : key + 1;
}
inline BgrColor sourceBackground(int n) {
    return BgrColor(0x101010 * (n + 2));
}

// Digit sources: red strokes (corners included) on a background that tells the sets apart.
inline const std::vector<QPoint> OldStrokes = {{0, 0}, {24, 41}, {12, 20}};
inline const std::vector<QPoint> NewStrokes = {{0, 41}, {24, 0}, {8, 8}};
inline const QPoint DigitNearRed(5, 5); // (254, 0, 0)
inline BgrColor digitBackground(bool old) {
    return old ? 0x000000 : 0x101010;
}

inline BgrColor colourAt(const QImage& image, QPoint at) {
    return bgrOfPixel(image.pixel(at));
}

/// A temporary program folder with small scheme sources and a complete Grafiken set.
class SchemeFolder {
public:
    SchemeFolder() {
        for (int n = 1; n <= 7; ++n)
            writeBitmap(QStringLiteral("scr/%1.bmp").arg(n), {25, 25}, sourceBackground(n),
                        {{KeyInside, SourceKeys[n]},
                         {KeyInColumn0, SourceKeys[n]},
                         {KeyInRow0, SourceKeys[n]},
                         {n == 7 ? Centre : KeyInside, SourceKeys[n]},
                         {NearKey, nearColour(SourceKeys[n])}});
        for (const bool old : {true, false}) {
            std::vector<std::pair<QPoint, BgrColor>> marks = {{DigitNearRed, 0x0000FE}};
            for (const QPoint& stroke : old ? OldStrokes : NewStrokes)
                marks.push_back({stroke, named::Red});
            for (int digit = 0; digit < 10; ++digit)
                writeBitmap(QStringLiteral("scr/%1/%2.bmp").arg(old ? "old" : "new").arg(digit),
                            {25, 42}, digitBackground(old), marks);
        }
        writeTestGraphics(m_dir.path());
    }

    ProgramFolder folder() const { return ProgramFolder(m_dir.path()); }
    QString path(const QString& relative) const { return m_dir.filePath(relative); }
    QImage image(const QString& relative) const { return readBitmapFile(path(relative)); }

    void writeBitmap(const QString& relative, QSize size, BgrColor background,
                     const std::vector<std::pair<QPoint, BgrColor>>& marks) const {
        QImage image(size, QImage::Format_RGB888);
        image.fill(toQColor(background));
        for (const auto& [at, colour] : marks)
            image.setPixelColor(at, toQColor(colour));
        QDir().mkpath(QFileInfo(path(relative)).absolutePath());
        image.save(path(relative), "BMP");
    }
    QByteArray bytes(const QString& relative) const {
        QFile file(path(relative));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
    }
    void writeBytes(const QString& relative, const QByteArray& bytes) const {
        QFile file(path(relative));
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(bytes);
    }
    /// Every entry under Grafiken with its bytes, to show that nothing changed.
    QMap<QString, QByteArray> grafiken() const {
        QMap<QString, QByteArray> files;
        QDirIterator it(path("Grafiken"), QDir::AllEntries | QDir::NoDotAndDotDot);
        while (it.hasNext()) {
            const QString name = QFileInfo(it.next()).fileName();
            files.insert(name, bytes("Grafiken/" + name));
        }
        return files;
    }

private:
    QTemporaryDir m_dir;
};

/// A scheme dialog of type D on a fresh folder, store, fakes and wait window.
template <typename D> struct SchemeDialogFixture {
    std::unique_ptr<SchemeFolder> folder;
    ResourceStore store;
    FakeDialogServices dialogs;
    FakeMainWindowLink link;
    std::unique_ptr<WaitWindow> wait;
    QPointer<D> dialog;

    void reset() {
        delete dialog;
        folder = std::make_unique<SchemeFolder>();
        store = ResourceStore();
        dialogs = FakeDialogServices();
        link = FakeMainWindowLink();
        wait = std::make_unique<WaitWindow>();
    }
    D* open() {
        dialog = new D(folder->folder(), store, dialogs, *wait, link);
        dialog->show();
        return dialog;
    }
    void click(const char* button) { dialog->template findChild<QPushButton*>(button)->click(); }
};

} // namespace brixolan::fakes
