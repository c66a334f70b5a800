#pragma once
// What a log read tells whoever shows it, and how it learns of "Abbrechen" (`AbortFlag`).

namespace torvel {

class LogReadView
{
public:
    virtual ~LogReadView() = default;
    virtual void setProgress(int /*value*/, int /*maximum*/) {}
    // The first entry of the block in progress (`HiOff`).
    virtual void setOffset(int /*entry*/) {}
    virtual bool abortRequested() const { return false; }
    virtual void clearAbort() {}
};

} // namespace torvel
