#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>

#include <string>
#include <vector>

namespace corvane {

// The editor's own pictures, drawn in code. The small picture strips use
// magenta (255, 0, 255) as their transparent colour.

// "IMGHEARTS": four 25 × 25 cells: empty, a pink double heart, a red heart,
// a red cross in a blue frame on black.
QImage ArtworkHearts();
// "IMGSM_X": a red question mark in a blue frame, for a missing picture.
QImage ArtworkMissingPicture();
// "IMGJOBS": 22 icons of 28 × 22, one per career number; icon 11 is school.
QImage ArtworkJobs();
// "IMGCV3DLOGOSM" (189 × 189) and "IMGCV3DLOGOBG" (390 × 390).
QImage ArtworkLogoSmall();
QImage ArtworkLogoLarge();
// The application's icon in the usual sizes.
QIcon ApplicationIcon();

// A picture by its resource name; a null image for an unknown name.
QImage ArtworkByName(const std::string& name);

// The picture with its magenta pixels transparent, for image lists.
QPixmap WithMagentaTransparent(const QImage& image);

// The cells of a picture strip, left to right, each `cellWidth` wide, with
// magenta transparent: the image lists of the pages.
std::vector<QPixmap> ImageListFromStrip(const QImage& strip, int cellWidth);

inline constexpr int kHeartCell = 25;
inline constexpr int kHeartCells = 4;
inline constexpr int kJobIconWidth = 28;
inline constexpr int kJobIconHeight = 22;
inline constexpr int kJobIcons = 22;

}  // namespace corvane
