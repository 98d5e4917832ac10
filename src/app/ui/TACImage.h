#pragma once

#include "app/ui/TACLabel.h"

namespace corvane {

// A picture that tells when the mouse moves onto it and off it, for hover
// effects: a hover label that shows a pixmap.
class TACImage : public TACLabel {
    Q_OBJECT

public:
    using TACLabel::TACLabel;
};

}  // namespace corvane
