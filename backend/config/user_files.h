#pragma once

#include <QStringList>

class DataLocations;

// Gets the user's own folders ready where they are kept apart from the
// shipped data: creates them and copies in every shipped file they lack (on
// the first start, and again for any the user has deleted). Files already
// there are never touched. Beside the program there is nothing to do.
//
// Returns one line per problem (a folder that cannot be made, a file that
// cannot be copied); the program runs on with what it has.
QStringList prepareUserFiles(const DataLocations &locations);
