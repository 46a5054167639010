#include "demo_write.h"
namespace qw::demo {
QStringList WritePictures(const QString&) { return {}; }
}
