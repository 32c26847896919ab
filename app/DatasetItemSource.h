#pragma once

#include "receipt/ReceiptItems.h"
#include "store/Dataset.h"

// The fee item list as the receipt walks it: the dataset's own rows, moved through and read as the receipt
// goes, so the grid follows and a row being edited is saved by the first move.
class DatasetItemSource : public ReceiptItemSource
{
public:
    explicit DatasetItemSource(Dataset& items) : m_items(items) {}

    void first() override { m_items.first(); }
    bool eof() override { return m_items.eof(); }
    QString name() override { return m_items.fieldByName(QStringLiteral("品名")).asString(); }
    QString amount() override { return m_items.fieldByName(QStringLiteral("金额")).asString(); }
    void next() override { m_items.next(); }

private:
    Dataset& m_items;
};
