#pragma once

#include <QObject>

class Dataset;

// Links a dataset to the controls that show it (the DataSource role); typing into a linked grid puts the
// dataset into editing when autoEdit is on.
class DataSource : public QObject
{
    Q_OBJECT

public:
    DataSource(Dataset& dataset, QObject* parent = nullptr) : QObject(parent), m_dataset(dataset) {}

    Dataset& dataset() const { return m_dataset; }
    bool autoEdit() const { return m_autoEdit; }

private:
    Dataset& m_dataset;
    bool m_autoEdit = true;
};
