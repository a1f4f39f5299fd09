#pragma once

#include <QProgressDialog>

// How far a long reading with words has gone, over the main window: it shows
// only once the reading has lasted about 0.3 s, so that a short one passes
// without a flash, and its "Annuler" button stops the reading.
class ProgressionLecture : public QProgressDialog
{
public:
    // `total`: the length of the text read, in code units.
    ProgressionLecture(qint64 total, QWidget *parent);

    // The reading has read `lus` code units of the text.
    void suivre(qint64 lus);

private:
    qint64 total;
};
