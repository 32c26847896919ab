-- The shipped data.mdb: the fee items of the receipt being prepared, and the remarks and payee record.
CREATE TABLE xiaoshou (
    "品名" TEXT(50),
    "金额" CURRENCY
);
CREATE TABLE beizhu (
    "备注1" TEXT(50),
    "备注2" TEXT(50),
    "收银员" TEXT(20)
);
INSERT INTO beizhu ("备注1", "备注2", "收银员") VALUES ('QQ:' || '${VENDOR_CONTACT}', '可以支付宝购买，安全.', '018');
