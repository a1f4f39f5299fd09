#include "progressionlecture.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// The bar counts in thousandths, whatever the text's length, which may be
// beyond what an int counts.
constexpr int echelle = 1000;

} // namespace

ProgressionLecture::ProgressionLecture(qint64 total, QWidget *parent)
    : QProgressDialog(u"Relecture du leet en mots français..."_s, u"Annuler"_s, 0, echelle,
                      parent),
      total(std::max<qint64>(total, 1))
{
    setObjectName(u"progressionLecture"_s);
    setWindowTitle(u"Lecture en cours"_s);
    setWindowModality(Qt::WindowModal);
    // Shown by the dialog's own timer once this much time has gone by.
    setMinimumDuration(300);
    setAutoClose(false);
    setAutoReset(false);
}

void ProgressionLecture::suivre(qint64 lus)
{
    setValue(int(std::clamp<qint64>(lus * echelle / total, 0, echelle - 1)));
}
