#pragma once

class QGroupBox;

namespace corvane {

struct Sim;

// Values kept in the character's neighbour record in neighborhood.iff can be
// stored only when the record was found. Without it, `box` shows a line
// saying so and its other controls are disabled; with it, the line is hidden
// and the controls enabled. Call after the page has filled and unlocked.
void ShowNeighbourEntryNotice(QGroupBox* box, const Sim& sim);

}  // namespace corvane
