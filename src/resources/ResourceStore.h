#pragma once

#include <QImage>
#include <QString>
#include <array>
#include <vector>

namespace brixolan {

class DialogServices;
class ProgramFolder;
class WaitWindow;

/// One row of the graphics file table: the store element and the file under the program folder.
struct GraphicsFile {
    int element;
    const char* relativePath;
};

/// The seventeen bitmaps in loading order. Digit d is element d + 3; stone codes are elements.
inline constexpr std::array<GraphicsFile, 17> GraphicsFiles = {{
    {1, "Grafiken/SteinA.bmp"}, {2, "Grafiken/SteinB.bmp"}, {3, "Grafiken/0.bmp"},
    {4, "Grafiken/1.bmp"},      {5, "Grafiken/2.bmp"},      {6, "Grafiken/3.bmp"},
    {7, "Grafiken/4.bmp"},      {8, "Grafiken/5.bmp"},      {9, "Grafiken/6.bmp"},
    {10, "Grafiken/7.bmp"},     {11, "Grafiken/8.bmp"},     {12, "Grafiken/9.bmp"},
    {13, "Grafiken/SteinC.bmp"}, {14, "Grafiken/SteinD.bmp"}, {15, "Grafiken/SteinE.bmp"},
    {16, "Grafiken/SteinF.bmp"}, {17, "Grafiken/SteinG.bmp"},
}};

inline constexpr int DigitElement(int digit) { return digit + 3; }

/// The store of pre-loaded bitmaps that every drawing copies from, by element index.
class ResourceStore {
public:
    ResourceStore();

    /// Adds the next element and returns its index (AddRes).
    int addRes();
    /// Loads the bitmap at `path` into element `index`; 1 when it gave a picture, 0 when not
    /// (a failed load leaves the element as it was) (LoadBild).
    int loadBild(int index, const QString& path);
    /// Empties the store; element 0 survives (UnloadAllRes).
    void unloadAllRes();
    /// The image of element k, or null when there is none (ResHdc).
    const QImage* resHdc(int k) const;

    int resCount() const { return m_resCount; }

    /// Loads all seventeen files of the table into a fresh store; the results in table order.
    std::array<int, 17> loadAll(const ProgramFolder& folder);

private:
    std::vector<QImage> m_res; // element 0 exists from the start and stays empty
    int m_resCount = 0;
};

/// Reloads the store after a scheme change (ReloadGrafiken): shows the wait window, loads all
/// seventeen files, and ends the program with its message when one of them is missing.
void reloadGrafiken(ResourceStore& store, const ProgramFolder& folder, DialogServices& dialogs,
                    WaitWindow& wait);

} // namespace brixolan
