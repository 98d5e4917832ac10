#pragma once

#include "app/Settings.h"
#include "skins/SkinListing.h"
#include "skintools/SkinChoices.h"

#include <QString>

#include <string>
#include <vector>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace corvane {

class Dialogs;
class Progress;
class PageHost;

// Builds the skin catalogue for a search of the skin tools. An archive that
// cannot be read would make the search report installed skins as missing
// and miss the copies inside archives: that is said (message 7093 with the
// cause) and the answer is false.
bool LoadCatalogueForSearch(PageHost& host, Dialogs& dialogs);

// The busy window of a search is as wide as the page's box less 4 pixels.
void FitBusyToPage(Progress& busy, const QWidget& pageBox);

// The controls the import, export and CMX builder pages share.

// What the lists depend on in this game and on this command line.
SkinToolSettings PageSkinToolSettings(const Settings& settings, bool teens);

// The skeleton the preview poses a skin tool's meshes on.
std::string PreviewSkeletonFor(SkinKind kind, int age);

// A label and its one-line field side by side at `top` in `box`.
QLineEdit* CreateLabelledField(QGroupBox* box, QLabel*& label, const char* labelName, const char* caption,
                               const char* fieldName, int top, int labelWidth);

// A series field keeps digits only (anything else becomes "0", the caret
// stays); true when it holds all three.
bool KeepSeriesDigits(QLineEdit& field);

// A drop-down list of the page, named `name`, at `top` in `box`.
QComboBox* CreateChoiceList(QGroupBox* box, const char* name, int top);

// Fills a list with localised items and selects `selected` (or the first).
void FillChoiceList(QComboBox& list, const std::vector<ChoiceItem>& items, int selected);
void FillKindList(QComboBox& list, const std::vector<SkinKindItem>& kinds, SkinKind selected);

// The kind a skin-type list has selected; `fallback` when it has none.
SkinKind SelectedKind(const QComboBox& list, SkinKind fallback);
// A list's selected position, 0 when it has none.
int SelectedPosition(const QComboBox& list);

// A gender list with `items` entries (the third is "unisex"), keeping its
// selection where it stays; the choices say what is selected.
void FitGenderList(QComboBox& list, int items, int selected);

// A skin list as the page shows it: the names, with the list's choice selected.
void ShowSkinList(QComboBox& list, const SkinList& skins);

// Puts a filtered name back into its field, with the caret where it was.
void PutBackFilteredName(QLineEdit& field, const std::string& filtered);

// The bold labels that show a new file's name below the preview.
void ShowNewName(QLabel& caption, QLabel& name, const QString& captionText, const QString& fileName);

}  // namespace corvane
