-- The host's document database on PostgreSQL (UTF8). Sizes are characters
-- here; the module's fields check their widths in GBK bytes themselves.
CREATE TABLE IF NOT EXISTS XTTGSSZ0 (
    GSDM00 VARCHAR(12) NOT NULL PRIMARY KEY,
    GSJC00 VARCHAR(30),
    ZBDM00 VARCHAR(12)
);

CREATE TABLE IF NOT EXISTS GSTJYGL1 (
    SPDM00 VARCHAR(8) NOT NULL PRIMARY KEY,
    SPMC00 VARCHAR(30)
);

CREATE TABLE IF NOT EXISTS XSTGJFP1 (
    GSDW00 VARCHAR(12) NOT NULL,
    DHAO00 DOUBLE PRECISION NOT NULL,
    CKRQ00 TIMESTAMP(0),
    CKRY00 VARCHAR(8),
    CKRYMC VARCHAR(10),
    YWRQ00 TIMESTAMP(0),
    YWRY00 VARCHAR(8),
    YWRYMC VARCHAR(10),
    CWRQ00 TIMESTAMP(0),
    CWRY00 VARCHAR(8),
    DWDM00 VARCHAR(12),
    DWMC00 VARCHAR(50),
    GJBJ00 VARCHAR(2),
    FPHAO0 VARCHAR(10),
    ZZSL00 DOUBLE PRECISION,
    PZNY00 VARCHAR(6),
    PZH000 DOUBLE PRECISION,
    BEIZHU VARCHAR(50),
    PRIMARY KEY (GSDW00, DHAO00)
);

CREATE TABLE IF NOT EXISTS XSTGJFP2 (
    GSDW00 VARCHAR(12) NOT NULL,
    DHAO00 DOUBLE PRECISION NOT NULL,
    SPDM00 VARCHAR(8) NOT NULL,
    SPMC00 VARCHAR(30),
    DJIA00 DOUBLE PRECISION,
    SL0000 DOUBLE PRECISION,
    JE0000 DOUBLE PRECISION,
    SE0000 DOUBLE PRECISION,
    PRIMARY KEY (GSDW00, DHAO00, SPDM00)
);

-- decode(expr, search1, result1, ..., [default]) as the document SQL uses it:
-- the result of the first search equal to expr (null equals null), else the
-- default, else null.
CREATE OR REPLACE FUNCTION decode(expr TEXT, VARIADIC args TEXT[]) RETURNS TEXT
LANGUAGE plpgsql IMMUTABLE AS $$
DECLARE
    n INTEGER := COALESCE(array_length(args, 1), 0);
    i INTEGER := 1;
BEGIN
    WHILE i + 1 <= n LOOP
        IF expr IS NOT DISTINCT FROM args[i] THEN
            RETURN args[i + 1];
        END IF;
        i := i + 2;
    END LOOP;
    IF i = n THEN
        RETURN args[n];
    END IF;
    RETURN NULL;
END;
$$;

-- Audit (BJ 0) or revoke (BJ 1) document DH of company YWGSDM. FLAG comes
-- back '1' when the document changed and '0' otherwise; RESULT says what
-- happened. The SQLite database has the same routine, registered by the host.
CREATE OR REPLACE FUNCTION FUNC_TAVREL(
    BJ NUMERIC, YWGSDM VARCHAR, DH NUMERIC, SHRY00 VARCHAR, SHRYMC VARCHAR, SHRQ00 TIMESTAMP,
    INOUT FLAG VARCHAR, OUT RESULT VARCHAR)
LANGUAGE plpgsql AS $$
DECLARE
    audited TIMESTAMP;
    found_doc BOOLEAN;
BEGIN
    FLAG := '0';
    IF YWGSDM IS NULL OR btrim(YWGSDM) = '' THEN
        RESULT := '业务公司代码为空!';
        RETURN;
    END IF;
    -- The document stays locked until the caller's transaction ends: of two
    -- auditors auditing (or revoking) it at once, the second waits here and
    -- then reads the first one's result, so exactly one of them changes it.
    SELECT A.YWRQ00, TRUE INTO audited, found_doc
      FROM XSTGJFP1 A WHERE A.GSDW00 = YWGSDM AND A.DHAO00 = DH
       FOR UPDATE;
    IF found_doc IS NULL THEN
        RESULT := '单据不存在!';
        RETURN;
    END IF;
    IF BJ = 0 THEN
        IF audited IS NOT NULL THEN
            RESULT := '单据已审核，不能重复审核!';
        ELSIF SHRQ00 IS NULL THEN
            RESULT := '审核日期为空!';
        ELSE
            UPDATE XSTGJFP1 SET YWRQ00 = SHRQ00, YWRY00 = FUNC_TAVREL.SHRY00, YWRYMC = FUNC_TAVREL.SHRYMC
             WHERE GSDW00 = YWGSDM AND DHAO00 = DH;
            FLAG := '1';
            RESULT := '审核成功!';
        END IF;
    ELSIF BJ = 1 THEN
        IF audited IS NULL THEN
            RESULT := '单据未审核，不能弃审!';
        ELSE
            UPDATE XSTGJFP1 SET YWRQ00 = NULL, YWRY00 = NULL, YWRYMC = NULL
             WHERE GSDW00 = YWGSDM AND DHAO00 = DH;
            FLAG := '1';
            RESULT := '弃审成功!';
        END IF;
    ELSE
        RESULT := '审核标记无效!';
    END IF;
END;
$$;
