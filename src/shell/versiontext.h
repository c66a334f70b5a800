#pragma once
// The program's version as the About box and the title show it: "1.0.0 [Build 7]".

#include <QString>

namespace torvel {

// "major.minor.release [Build n]" from a three-part numeric version; "0.0.0.0" when the
// version is empty or not three numbers (nothing trustworthy to show).
QString versionTextFrom(const QString &version, int build);

// The text for this build (version and build number given by CMake).
QString applicationVersionText();

} // namespace torvel
