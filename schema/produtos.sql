/* Products with their tax data, manufacturers, barcodes and tax rates: shared by the back-office
   database, the terminal's product database and the terminal's sales database. */

/* Tax rates: perc is the ICMS percentage (17 means 17 %); code 2 is the rate of untaxed items. */
CREATE TABLE trib (
    trib_cod SMALLINT NOT NULL,
    descr CHAR(40) NOT NULL,
    perc DOUBLE PRECISION DEFAULT 0 NOT NULL,
    cancelado CHAR(1) DEFAULT 'N' NOT NULL,
    CONSTRAINT pk_trib PRIMARY KEY (trib_cod),
    CONSTRAINT ck_trib_cancelado CHECK (cancelado IN ('S', 'N'))
);
CREATE INDEX ix_trib_perc ON trib (perc);

CREATE TABLE prod_fabr (
    prod_fabr_cod INTEGER NOT NULL,
    nome VARCHAR(60) NOT NULL,
    CONSTRAINT pk_prod_fabr PRIMARY KEY (prod_fabr_cod)
);

CREATE TABLE prod (
    prod_cod INTEGER NOT NULL,
    descr VARCHAR(130) NOT NULL,
    descr_red VARCHAR(29) DEFAULT '' NOT NULL,
    prod_fabr_cod INTEGER NOT NULL,
    unid VARCHAR(6) DEFAULT 'UN' NOT NULL,
    ativo CHAR(1) DEFAULT 'S' NOT NULL,
    preco1 NUMERIC(15,4) DEFAULT 0 NOT NULL,
    pmc NUMERIC(15,4) DEFAULT 0 NOT NULL,
    preco_promo NUMERIC(15,4) DEFAULT 0 NOT NULL,
    trib_cod SMALLINT DEFAULT 2 NOT NULL,
    trat_icms INTEGER DEFAULT 0 NOT NULL,
    cfop VARCHAR(5) DEFAULT '' NOT NULL,
    ncm VARCHAR(10) DEFAULT '' NOT NULL,
    trib_icms_cbenef VARCHAR(10) DEFAULT '' NOT NULL,
    trib_icms_picmsdeson NUMERIC(15,4) DEFAULT 0 NOT NULL,
    trib_icms_motdesicms INTEGER DEFAULT 0 NOT NULL,
    CONSTRAINT pk_prod PRIMARY KEY (prod_cod),
    CONSTRAINT fk_prod_fabr FOREIGN KEY (prod_fabr_cod) REFERENCES prod_fabr (prod_fabr_cod),
    CONSTRAINT fk_prod_trib FOREIGN KEY (trib_cod) REFERENCES trib (trib_cod),
    CONSTRAINT ck_prod_ativo CHECK (ativo IN ('S', 'N'))
);

/* A product has any number of barcodes; a barcode names one product. */
CREATE TABLE prod_barras (
    bar_cod VARCHAR(20) NOT NULL,
    prod_cod INTEGER NOT NULL,
    CONSTRAINT pk_prod_barras PRIMARY KEY (bar_cod),
    CONSTRAINT fk_prod_barras_prod FOREIGN KEY (prod_cod) REFERENCES prod (prod_cod) ON DELETE CASCADE
);
CREATE INDEX ix_prod_barras_prod ON prod_barras (prod_cod);
