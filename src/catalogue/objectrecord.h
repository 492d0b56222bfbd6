#pragma once

#include <QString>
#include <QStringList>

/// What is wrong with an object record, in the order the fields are checked: the first problem
/// found is the one reported.
enum class RecordProblem
{
    None,           ///< name, right ascension and declination are there
    TooFewFields,   ///< fewer than three fields: no right ascension or no declination
    RightAscension, ///< field 2 does not give exactly three parts "h:m:s"
    Declination,    ///< field 3 does not give exactly three parts "deg:arcmin:arcsec"
};

/// One line of an object list file taken apart: "Objekt;Rektaszension;Deklination;Info".
struct ObjectRecord
{
    QString name;               ///< field 1, trimmed
    QStringList rightAscension; ///< the three text parts of field 2 (h, m, s); filled unless
                                ///< problem is TooFewFields or RightAscension
    QStringList declination;    ///< the three text parts of field 3 (deg, arcmin, arcsec);
                                ///< filled when problem is None
    QString info;               ///< field 4 as written when the record has exactly four fields,
                                ///< else empty
    RecordProblem problem = RecordProblem::None;

    /// The declination as the main window's Text2 shows it: deg° arcmin' arcsec" (empty unless
    /// the declination was parsed).
    QString declinationText() const;
};

/// Takes apart the fields of one record as ReadObjectRecords gives them (untrimmed, split at
/// ";"). The coordinates are trimmed of spaces and split at every ":"; the parts are not tested
/// for being numbers, so a part that holds none is kept as written.
ObjectRecord parseObjectRecord(const QStringList &fields);
