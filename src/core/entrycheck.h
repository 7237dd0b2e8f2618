#pragma once

#include <QString>

#include <optional>

// A field of a dialog that does not hold what it must: which one, in the dialog's own
// numbering, and the sentence that tells the user, naming the field as captioned.
struct FieldError
{
    int field = 0;
    QString message;
};

// What a dialog's fields read as: the values, or the first field that is wrong.
template <typename Values>
struct Checked
{
    Values values{};
    std::optional<FieldError> error;
};
