#pragma once

#include "receipt/ReceiptComposition.h"

// A receipt's fields as the window fills them, every one set and most of them Chinese.
inline ReceiptFields sampleReceiptFields()
{
    ReceiptFields fields;
    fields.title = QStringLiteral("禾岚幼儿园收费小票");
    fields.student = QStringLiteral("李小明");
    fields.total = QStringLiteral("312.5");
    fields.remark1 = QStringLiteral("QQ:80012345");
    fields.remark2 = QStringLiteral("可以支付宝购买，安全.");
    fields.dateTime = QStringLiteral("2024-03-05 09:07");
    fields.payee = QStringLiteral("018");
    fields.webAddress = QStringLiteral("http://www.example.com");
    fields.contactNumber = QStringLiteral("80012345");
    return fields;
}
