#pragma once
// The names of bake programs 1 to 99, fetched after the operating data so the list can show
// the name of every program it mentions.

#include <QStringList>

namespace torvel {

class LogReadView;
struct Torvel2Line;

constexpr int kLogNamePrograms = 99;
constexpr int kLogNameTries = 5;

// Index n holds the name of program n (index 0 stays empty): the name, "ERR: keine Antwort"
// when the oven did not take its address again, "ERR: Übertragungsfehler" after five failed
// replies, or empty when "Abbrechen" came first. A repeat addresses the oven again. Progress
// runs from `progressBase` in steps of 10.
QStringList FetchProgramNames(const Torvel2Line &line, LogReadView *view, int progressBase, int progressMaximum);

} // namespace torvel
