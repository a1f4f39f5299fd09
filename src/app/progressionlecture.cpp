#include "progressionlecture.h"

#include <QTimer>

#include <algorithm>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

// The bar counts in thousandths, whatever the text's length, which may be
// beyond what an int counts.
constexpr int echelle = 1000;

} // namespace

ProgressionLecture::ProgressionLecture(qint64 total, QWidget *parent)
    : QProgressDialog(u"Relecture du leet en mots français..."_s, u"Annuler"_s, 0, echelle, parent),
      total(std::max<qint64>(total, 1))
{
    setObjectName(u"progressionLecture"_s);
    setWindowTitle(u"Lecture en cours"_s);
    setWindowModality(Qt::WindowModal);
    setAutoClose(false);
    setAutoReset(false);
    // The dialog's own rule shows it from an estimate of the time left, which
    // a reading still waiting for its list never gives: a timer of ours
    // shows it once the reading has lasted this long.
    setMinimumDuration(std::numeric_limits<int>::max());
    auto *attente = new QTimer(this);
    attente->setSingleShot(true);
    connect(attente, &QTimer::timeout, this, [this] {
        if (!wasCanceled())
            show();
    });
    attente->start(300);
}

void ProgressionLecture::suivre(qint64 lus)
{
    setValue(int(std::clamp<qint64>(lus * echelle / total, 0, echelle - 1)));
}
