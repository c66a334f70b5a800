#pragma once
// How reading one part of a workbook file went; the reader turns it into a message.

namespace torvel {

enum class WorkbookStatus {
    Ok,
    Missing,  // the part is not in the archive
    Invalid,  // not a zip, broken data, malformed XML, nonsense values
    TooLarge, // past the caps for a part or for the grid
};

} // namespace torvel
