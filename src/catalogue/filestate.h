// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

/// What became of an access to a data file.
enum class FileState
{
    Done,             ///< read or written
    Missing,          ///< no such file in the program folder, in any case of letters
    Unreadable,       ///< there, but it could not be opened or read (a folder of that name, say)
    NotWritable,      ///< a save failed; the former file is left as it was
    NameNotAllowed,   ///< the list name would address a file outside the program folder
    TooLarge,         ///< larger than MAX_DATA_FILE_BYTES; not read at all
    OutsideFolder,    ///< a link to a file outside the data folder; neither read nor written
    ChangedMeanwhile, ///< a save found the file changed since it was read; nothing written
};
