#pragma once
// The Additional Photos page of a marina: up to eight of the user's further
// photos (named <geo>-<no>-<n>.jpg or <geo>-<no>-<n>+.jpg) in a fixed grid,
// and a footer with the rights line, the marina's name and its harbour.
#include <QString>
#include <QStringList>

namespace qw {

// The start of a further photo's name: "<geo>-<no>-".
QString AdditionalPhotoPrefix(int geoCode, int marinaNo);

// The further photos of a user folder: from the highest number down to 1,
// the plain photo of each number, or its "+" photo when there is no plain
// one; at most eight file names. The highest number is taken in the form the
// first name carrying it writes ("4+" before "4", "04"). Names holding "@"
// are main photos and never counted; a photo that cannot be shown (empty or
// damaged) counts as missing. Empty when the folder does not exist.
QStringList AdditionalPhotoNames(const QString& folder, const QString& prefix);

struct AdditionalPhotosInput {
  QStringList photoFiles;  // absolute paths, at most eight, in place order
  QString marinaName;      // as the report shows it
  QString harbor;          // trimmed
};

// The page text (tmp2.htm).
QString ComposeAdditionalPhotosPage(const AdditionalPhotosInput& in);

}  // namespace qw
