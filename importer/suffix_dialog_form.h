#pragma once

#include "platform/form_description.h"

namespace sfxtal::importer {

/// The suffix-setting dialog, Form3: every control with its place, caption, tooltip and font, in
/// tab order. Label2 to Label7 show the QSO in hand (SuffixDialog's texts) in place of their
/// captions.
extern const platform::FormDescription kSuffixDialogForm;

}  // namespace sfxtal::importer
