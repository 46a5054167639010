#pragma once
// The marina photos a report shows: the main photo of the photo box, from the
// user's own photo folder or else the program's own photo of the marina, and
// the link that opens a photo full-screen in a pop-up window.
#include <QMap>
#include <QString>
#include <QStringList>
#include <QUrl>

namespace qw {

// The user's photo folder of a marina: photosFolder/<geo>/<no>.
QString UserPhotoFolder(const QString& photosFolder, int geoCode, int marinaNo);
// The start of a main photo's name: "<geo>-<no>-@".
QString MainPhotoPrefix(int geoCode, int marinaNo);
// The program's own photo of a marina: programFolder/photos/<geo>-<no>.jpg.
QString ProgramPhotoFile(const QString& programFolder, int geoCode, int marinaNo);

// The files of a folder (normal files, not hidden), by lower-case name.
using FolderListing = QMap<QString, QString>;
FolderListing ListFolder(const QString& folder);

// The number part of a photo's name: digits, optionally followed by "+".
bool ReadPhotoNumber(const QString& part, int* number, bool* plus);

// Whether a photo can be shown: a picture the program can read. An empty or
// damaged file counts as missing, as the browser would show it as a broken
// picture.
bool PhotoReadable(const QString& path);

// The main photo among the files of a user folder (prefix + number + ".jpg"
// or prefix + number + "+.jpg"): the highest number, in its "+" form when
// that file exists. "" when there is none.
QString MainPhotoName(const FolderListing& files, const QString& prefix);

// The absolute path of the photo the photo box shows: the main photo of the
// user folder when there is one, else the program's own photo, else "". A
// photo that cannot be shown counts as missing (the one below it is taken).
QString MainPhotoFile(const QString& photosFolder, const QString& programFolder, int geoCode, int marinaNo);

// The link that shows a photo at 3.625 by 2.375 in; ends with the image's
// tag, the caller closes the link. The link is the photo's file address: the
// viewer opens it, on a click, alone in a window of the screen's size
// (IsPhotoLink). No script of the page is needed for that.
QString PhotoLinkHtml(const QString& photoFile);
// Whether a link of a report page is a photo link.
bool IsPhotoLink(const QUrl& url);

}  // namespace qw
