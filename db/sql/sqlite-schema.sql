-- The host's document database on SQLite. Text is UTF-8; sizes are the
-- widths the module's fields hold in GBK bytes. Dates are text
-- 'YYYY-MM-DD HH:MM:SS'. decode() and FUNC_TAVREL are supplied by the host
-- (a registered SQL function and a registered routine).
PRAGMA journal_mode = WAL;

CREATE TABLE IF NOT EXISTS XTTGSSZ0 (
    GSDM00 VARCHAR(12) NOT NULL PRIMARY KEY,  -- company code
    GSJC00 VARCHAR(30),                       -- short name
    ZBDM00 VARCHAR(12)                        -- head-office code
);

CREATE TABLE IF NOT EXISTS GSTJYGL1 (
    SPDM00 VARCHAR(8) NOT NULL PRIMARY KEY,   -- product code
    SPMC00 VARCHAR(30)                        -- product name
);

CREATE TABLE IF NOT EXISTS XSTGJFP1 (
    GSDW00 VARCHAR(12) NOT NULL,
    DHAO00 DOUBLE NOT NULL,                   -- document number
    CKRQ00 TIMESTAMP,                         -- document date
    CKRY00 VARCHAR(8),
    CKRYMC VARCHAR(10),
    YWRQ00 TIMESTAMP,                         -- audit date, null until audited
    YWRY00 VARCHAR(8),
    YWRYMC VARCHAR(10),
    CWRQ00 TIMESTAMP,
    CWRY00 VARCHAR(8),
    DWDM00 VARCHAR(12),                       -- supplier code
    DWMC00 VARCHAR(50),                       -- supplier name
    GJBJ00 VARCHAR(2),                        -- 'ZM' monopoly purchase, else ordinary
    FPHAO0 VARCHAR(10),                       -- invoice number
    ZZSL00 DOUBLE,                            -- VAT rate
    PZNY00 VARCHAR(6),
    PZH000 DOUBLE,
    BEIZHU VARCHAR(50),
    PRIMARY KEY (GSDW00, DHAO00)
);

CREATE TABLE IF NOT EXISTS XSTGJFP2 (
    GSDW00 VARCHAR(12) NOT NULL,
    DHAO00 DOUBLE NOT NULL,
    SPDM00 VARCHAR(8) NOT NULL,
    SPMC00 VARCHAR(30),
    DJIA00 DOUBLE,                            -- unit price per carton
    SL0000 DOUBLE,                            -- quantity in cartons
    JE0000 DOUBLE,                            -- amount
    SE0000 DOUBLE,                            -- tax
    PRIMARY KEY (GSDW00, DHAO00, SPDM00)
);
