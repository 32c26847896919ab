#pragma once

#include "receipt/ReceiptComposition.h"

#include <QList>

// The fee items as the receipt walks them: from the first row until past the last, each column read when
// its part of the line is written.
class ReceiptItemSource
{
public:
    virtual ~ReceiptItemSource() = default;

    virtual void first() = 0;
    virtual bool eof() = 0;
    virtual QString name() = 0;
    virtual QString amount() = 0;
    virtual void next() = 0;
};

// Items held in a list.
class ReceiptItemList : public ReceiptItemSource
{
public:
    explicit ReceiptItemList(QList<ReceiptItem> items) : m_items(std::move(items)) {}

    void first() override { m_at = 0; }
    bool eof() override { return m_at >= m_items.size(); }
    QString name() override { return m_items[m_at].name; }
    QString amount() override { return m_items[m_at].amount; }
    void next() override { ++m_at; }

private:
    QList<ReceiptItem> m_items;
    qsizetype m_at = 0;
};
