/* The shop's back-office database (Retaguarda/dados/dados.fdb).
   Run inside a connection to an empty WIN1252 database; see README.md. */

SET SQL DIALECT 3;

/* Settings of the programs: GERTEC_USA, GERTEC_PATH, SYS_APP_TIPO and the screens' own keys. */
CREATE TABLE config (
    chave VARCHAR(100) NOT NULL,
    valor VARCHAR(1000),
    CONSTRAINT pk_config PRIMARY KEY (chave)
);

CREATE TABLE empr (
    empr_cod INTEGER NOT NULL,
    nome VARCHAR(60) NOT NULL,
    selecionada CHAR(1) DEFAULT 'N' NOT NULL,
    CONSTRAINT pk_empr PRIMARY KEY (empr_cod),
    CONSTRAINT ck_empr_selecionada CHECK (selecionada IN ('S', 'N'))
);

CREATE TABLE func (
    func_cod INTEGER NOT NULL,
    nome VARCHAR(60) NOT NULL,
    direito_total CHAR(1) DEFAULT 'N' NOT NULL,
    CONSTRAINT pk_func PRIMARY KEY (func_cod)
);

/* The menu actions of the host programs and the rights of each employee over them. */
CREATE TABLE act (
    act_cod INTEGER NOT NULL,
    pai_cod INTEGER DEFAULT 0 NOT NULL,
    category VARCHAR(100) DEFAULT '' NOT NULL,
    name VARCHAR(100) NOT NULL,
    caption VARCHAR(150) DEFAULT '' NOT NULL,
    sempre_habilitada CHAR(1) DEFAULT 'N' NOT NULL,
    ordem INTEGER DEFAULT 0 NOT NULL,
    image_index INTEGER DEFAULT -1 NOT NULL,
    CONSTRAINT pk_act PRIMARY KEY (act_cod),
    CONSTRAINT ck_act_sempre CHECK (sempre_habilitada IN ('S', 'N'))
);
CREATE INDEX ix_act_name ON act (name);
CREATE INDEX ix_act_pai ON act (pai_cod, ordem);

CREATE TABLE func_dir (
    func_cod INTEGER NOT NULL,
    act_cod INTEGER NOT NULL,
    habilitada CHAR(1) DEFAULT 'N' NOT NULL,
    CONSTRAINT pk_func_dir PRIMARY KEY (func_cod, act_cod),
    CONSTRAINT fk_func_dir_func FOREIGN KEY (func_cod) REFERENCES func (func_cod),
    CONSTRAINT fk_func_dir_act FOREIGN KEY (act_cod) REFERENCES act (act_cod) ON DELETE CASCADE
);

/* Registers with default rows of code 1 (made sure of by the default records tool). */
CREATE TABLE tab_preco (
    empr_cod INTEGER NOT NULL,
    tab_preco_cod INTEGER NOT NULL,
    nome VARCHAR(40) NOT NULL,
    perc NUMERIC(15,4) DEFAULT 0 NOT NULL,
    CONSTRAINT pk_tab_preco PRIMARY KEY (empr_cod, tab_preco_cod),
    CONSTRAINT fk_tab_preco_empr FOREIGN KEY (empr_cod) REFERENCES empr (empr_cod)
);

CREATE TABLE cli_classe (
    cli_classe_cod INTEGER NOT NULL,
    descr VARCHAR(60) NOT NULL,
    CONSTRAINT pk_cli_classe PRIMARY KEY (cli_classe_cod)
);

CREATE TABLE ender_rota (
    ender_rota_cod INTEGER NOT NULL,
    descr VARCHAR(60) NOT NULL,
    CONSTRAINT pk_ender_rota PRIMARY KEY (ender_rota_cod)
);

CREATE TABLE vei_tipo (
    vei_tipo_cod INTEGER NOT NULL,
    descr VARCHAR(60) NOT NULL,
    CONSTRAINT pk_vei_tipo PRIMARY KEY (vei_tipo_cod)
);

INPUT 'produtos.sql';

/* Active substances; code 0 exists and means "none". */
CREATE TABLE prod_princ (
    prod_princ_cod SMALLINT NOT NULL,
    descr VARCHAR(130) NOT NULL,
    CONSTRAINT pk_prod_princ PRIMARY KEY (prod_princ_cod)
);
CREATE INDEX ix_prod_princ_descr ON prod_princ (descr);

CREATE TABLE prod_classe (
    prod_classe_cod INTEGER NOT NULL,
    descr VARCHAR(60) NOT NULL,
    tipo SMALLINT DEFAULT 0 NOT NULL,
    controlado CHAR(1) DEFAULT 'N' NOT NULL,
    CONSTRAINT pk_prod_classe PRIMARY KEY (prod_classe_cod)
);

/* Product lines, groups and families: the levels of the discount and commission parameters. */
CREATE TABLE prod_linha (
    prod_linha_cod INTEGER NOT NULL,
    descr VARCHAR(60) NOT NULL,
    CONSTRAINT pk_prod_linha PRIMARY KEY (prod_linha_cod)
);
CREATE TABLE prod_grupo (
    prod_grupo_cod INTEGER NOT NULL,
    descr VARCHAR(60) NOT NULL,
    CONSTRAINT pk_prod_grupo PRIMARY KEY (prod_grupo_cod)
);
CREATE TABLE prod_fam (
    prod_fam_cod INTEGER NOT NULL,
    descr VARCHAR(60) NOT NULL,
    CONSTRAINT pk_prod_fam PRIMARY KEY (prod_fam_cod)
);

ALTER TABLE prod ADD prod_princ_cod SMALLINT DEFAULT 0 NOT NULL;
ALTER TABLE prod ADD prod_classe_cod INTEGER;
ALTER TABLE prod ADD prod_linha_cod INTEGER;
ALTER TABLE prod ADD prod_grupo_cod INTEGER;
ALTER TABLE prod ADD prod_fam_cod INTEGER;
ALTER TABLE prod ADD CONSTRAINT fk_prod_princ FOREIGN KEY (prod_princ_cod) REFERENCES prod_princ (prod_princ_cod);
ALTER TABLE prod ADD CONSTRAINT fk_prod_classe FOREIGN KEY (prod_classe_cod) REFERENCES prod_classe (prod_classe_cod);
ALTER TABLE prod ADD CONSTRAINT fk_prod_linha FOREIGN KEY (prod_linha_cod) REFERENCES prod_linha (prod_linha_cod);
ALTER TABLE prod ADD CONSTRAINT fk_prod_grupo FOREIGN KEY (prod_grupo_cod) REFERENCES prod_grupo (prod_grupo_cod);
ALTER TABLE prod ADD CONSTRAINT fk_prod_fam FOREIGN KEY (prod_fam_cod) REFERENCES prod_fam (prod_fam_cod);

/* Discount and commission histories of the salespeople (entity prefix "func"): each change adds
   a row, the highest log_cod is in force; fp_cod '!' is the value for any payment method. */
CREATE TABLE func_lin_desc (
    log_cod INTEGER NOT NULL, prod_linha_cod INTEGER NOT NULL, func_cod INTEGER NOT NULL,
    fp_cod VARCHAR(3) DEFAULT '!' NOT NULL, valor NUMERIC(15,4) DEFAULT 0 NOT NULL,
    CONSTRAINT pk_func_lin_desc PRIMARY KEY (log_cod),
    CONSTRAINT fk_func_lin_desc_tit FOREIGN KEY (prod_linha_cod) REFERENCES prod_linha (prod_linha_cod),
    CONSTRAINT fk_func_lin_desc_func FOREIGN KEY (func_cod) REFERENCES func (func_cod)
);
CREATE TABLE func_lin_comiss (
    log_cod INTEGER NOT NULL, prod_linha_cod INTEGER NOT NULL, func_cod INTEGER NOT NULL,
    fp_cod VARCHAR(3) DEFAULT '!' NOT NULL, valor NUMERIC(15,4) DEFAULT 0 NOT NULL,
    CONSTRAINT pk_func_lin_comiss PRIMARY KEY (log_cod),
    CONSTRAINT fk_func_lin_comiss_tit FOREIGN KEY (prod_linha_cod) REFERENCES prod_linha (prod_linha_cod),
    CONSTRAINT fk_func_lin_comiss_func FOREIGN KEY (func_cod) REFERENCES func (func_cod)
);
CREATE TABLE func_gru_desc (
    log_cod INTEGER NOT NULL, prod_grupo_cod INTEGER NOT NULL, func_cod INTEGER NOT NULL,
    fp_cod VARCHAR(3) DEFAULT '!' NOT NULL, valor NUMERIC(15,4) DEFAULT 0 NOT NULL,
    CONSTRAINT pk_func_gru_desc PRIMARY KEY (log_cod),
    CONSTRAINT fk_func_gru_desc_tit FOREIGN KEY (prod_grupo_cod) REFERENCES prod_grupo (prod_grupo_cod),
    CONSTRAINT fk_func_gru_desc_func FOREIGN KEY (func_cod) REFERENCES func (func_cod)
);
CREATE TABLE func_gru_comiss (
    log_cod INTEGER NOT NULL, prod_grupo_cod INTEGER NOT NULL, func_cod INTEGER NOT NULL,
    fp_cod VARCHAR(3) DEFAULT '!' NOT NULL, valor NUMERIC(15,4) DEFAULT 0 NOT NULL,
    CONSTRAINT pk_func_gru_comiss PRIMARY KEY (log_cod),
    CONSTRAINT fk_func_gru_comiss_tit FOREIGN KEY (prod_grupo_cod) REFERENCES prod_grupo (prod_grupo_cod),
    CONSTRAINT fk_func_gru_comiss_func FOREIGN KEY (func_cod) REFERENCES func (func_cod)
);
CREATE TABLE func_fam_desc (
    log_cod INTEGER NOT NULL, prod_fam_cod INTEGER NOT NULL, func_cod INTEGER NOT NULL,
    fp_cod VARCHAR(3) DEFAULT '!' NOT NULL, valor NUMERIC(15,4) DEFAULT 0 NOT NULL,
    CONSTRAINT pk_func_fam_desc PRIMARY KEY (log_cod),
    CONSTRAINT fk_func_fam_desc_tit FOREIGN KEY (prod_fam_cod) REFERENCES prod_fam (prod_fam_cod),
    CONSTRAINT fk_func_fam_desc_func FOREIGN KEY (func_cod) REFERENCES func (func_cod)
);
CREATE TABLE func_fam_comiss (
    log_cod INTEGER NOT NULL, prod_fam_cod INTEGER NOT NULL, func_cod INTEGER NOT NULL,
    fp_cod VARCHAR(3) DEFAULT '!' NOT NULL, valor NUMERIC(15,4) DEFAULT 0 NOT NULL,
    CONSTRAINT pk_func_fam_comiss PRIMARY KEY (log_cod),
    CONSTRAINT fk_func_fam_comiss_tit FOREIGN KEY (prod_fam_cod) REFERENCES prod_fam (prod_fam_cod),
    CONSTRAINT fk_func_fam_comiss_func FOREIGN KEY (func_cod) REFERENCES func (func_cod)
);

/* Price logs: every price change is a row, confirmed ('S') once it reached the current prices. */
CREATE TABLE prod_preco (
    log_cod INTEGER NOT NULL,
    empr_cod INTEGER NOT NULL,
    prod_cod INTEGER NOT NULL,
    tab_preco_cod INTEGER NOT NULL,
    dt_vig DATE NOT NULL,
    preco NUMERIC(15,4) NOT NULL,
    confirmado CHAR(1) DEFAULT 'N' NOT NULL,
    CONSTRAINT pk_prod_preco PRIMARY KEY (log_cod),
    CONSTRAINT fk_prod_preco_prod FOREIGN KEY (prod_cod) REFERENCES prod (prod_cod),
    CONSTRAINT fk_prod_preco_tab FOREIGN KEY (empr_cod, tab_preco_cod) REFERENCES tab_preco (empr_cod, tab_preco_cod)
);

CREATE TABLE prod_preco_atual (
    empr_cod INTEGER NOT NULL,
    prod_cod INTEGER NOT NULL,
    tab_preco_cod INTEGER NOT NULL,
    log_cod INTEGER,
    dt_vig DATE,
    preco NUMERIC(15,4) DEFAULT 0 NOT NULL,
    CONSTRAINT pk_prod_preco_atual PRIMARY KEY (empr_cod, prod_cod, tab_preco_cod),
    CONSTRAINT fk_prod_preco_atual_prod FOREIGN KEY (prod_cod) REFERENCES prod (prod_cod),
    CONSTRAINT fk_prod_preco_atual_tab FOREIGN KEY (empr_cod, tab_preco_cod) REFERENCES tab_preco (empr_cod, tab_preco_cod)
);

/* The shop's sales terminals: name of the machine and path of its product database. */
CREATE TABLE terminais (
    num INTEGER NOT NULL,
    nome VARCHAR(60) DEFAULT '' NOT NULL,
    local_arq_dados VARCHAR(255) NOT NULL,
    CONSTRAINT pk_terminais PRIMARY KEY (num)
);

INPUT 'vendas.sql';

/* Lots of stock movement items; codes come from the generator. */
CREATE GENERATOR est_mov_lote_g;
CREATE TABLE est_mov_lote (
    empr_cod INTEGER NOT NULL,
    estacao_cod INTEGER NOT NULL,
    est_mov_lote_cod INTEGER NOT NULL,
    est_mov_empr_cod INTEGER NOT NULL,
    est_mov_estacao_cod INTEGER NOT NULL,
    est_mov_cod INTEGER NOT NULL,
    lote VARCHAR(30) DEFAULT '' NOT NULL,
    qtd NUMERIC(15,3) DEFAULT 0 NOT NULL,
    dt_fabr DATE,
    dt_valid DATE,
    preco_max NUMERIC(15,4) DEFAULT 0 NOT NULL,
    CONSTRAINT pk_est_mov_lote PRIMARY KEY (empr_cod, estacao_cod, est_mov_lote_cod),
    CONSTRAINT fk_est_mov_lote_mov FOREIGN KEY (est_mov_empr_cod, est_mov_estacao_cod, est_mov_cod)
        REFERENCES est_mov (empr_cod, estacao_cod, est_mov_cod) ON DELETE CASCADE
);

COMMIT;

/* The row every product without an active substance points to. */
INSERT INTO prod_princ (prod_princ_cod, descr) VALUES (0, '');
COMMIT;
