#pragma once

#include <QString>

// The hand-checked results of whole installations (tests/fixtures/golden/installation-*.txt)
// and the comparison that shows a difference where it is.
namespace GoldenText {

QString golden(const QString &name);

// Compares line by line, so that a difference is shown where it is.
bool sameText(const QString &actual, const QString &expectedText, const QString &name);

// IQO_GOLDEN_OUTPUT=folder keeps each result there, to be read line by line before it
// replaces an expected result.
bool sameAsGolden(const QString &actual, const QString &name);

} // namespace GoldenText
