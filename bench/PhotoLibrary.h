#pragma once

// The library the grid benchmarks open: a group of photographs, and before it an empty group the
// window stands on when it starts, so that opening the photographs is a step of its own.

#include <QSize>
#include <QString>

namespace zolvera::bench {

// The photographs' group: the second in the list.
constexpr int kPhotographsGroup = 1;

// Makes the library in home unless it is there, its pictures in a child process, so that their
// memory does not count as the benchmark's.
void preparePhotoLibrary(const QString& home, int pictures, QSize size, bool grain, int argc,
                         char** argv);

} // namespace zolvera::bench
