/* Sales and stock movements, keyed by company, station and code: shared by the back-office
   database and the terminal's sales database. */

CREATE TABLE venda (
    empr_cod INTEGER NOT NULL,
    estacao_cod INTEGER NOT NULL,
    venda_cod INTEGER NOT NULL,
    fin_mov_cod INTEGER,
    cli_cod INTEGER,
    dt_hr TIMESTAMP DEFAULT CURRENT_TIMESTAMP NOT NULL,
    modo_arredondamento SMALLINT DEFAULT 0 NOT NULL,
    valor_total NUMERIC(15,4) DEFAULT 0 NOT NULL,
    desconto NUMERIC(15,4) DEFAULT 0 NOT NULL,
    frete_val NUMERIC(15,4) DEFAULT 0 NOT NULL,
    qtd_itens INTEGER DEFAULT 0 NOT NULL,
    cancelada CHAR(1) DEFAULT 'N' NOT NULL,
    nfe_parc_texto VARCHAR(2000) DEFAULT '' NOT NULL,
    CONSTRAINT pk_venda PRIMARY KEY (empr_cod, estacao_cod, venda_cod)
);
CREATE INDEX ix_venda_fin_mov ON venda (empr_cod, estacao_cod, fin_mov_cod);

/* qtd keeps what was typed (five decimals and more); the programs round it themselves. */
CREATE TABLE est_mov (
    empr_cod INTEGER NOT NULL,
    estacao_cod INTEGER NOT NULL,
    est_mov_cod INTEGER NOT NULL,
    prod_cod INTEGER NOT NULL,
    dt_hr TIMESTAMP DEFAULT CURRENT_TIMESTAMP NOT NULL,
    qtd DOUBLE PRECISION DEFAULT 0 NOT NULL,
    preco_unit NUMERIC(15,4) DEFAULT 0 NOT NULL,
    desconto NUMERIC(15,4) DEFAULT 0 NOT NULL,
    frete NUMERIC(15,4) DEFAULT 0 NOT NULL,
    CONSTRAINT pk_est_mov PRIMARY KEY (empr_cod, estacao_cod, est_mov_cod),
    CONSTRAINT fk_est_mov_prod FOREIGN KEY (prod_cod) REFERENCES prod (prod_cod)
);

/* The items of a sale: its stock movements. */
CREATE TABLE venda_est_mov (
    empr_cod INTEGER NOT NULL,
    estacao_cod INTEGER NOT NULL,
    venda_cod INTEGER NOT NULL,
    est_mov_empr_cod INTEGER NOT NULL,
    est_mov_estacao_cod INTEGER NOT NULL,
    est_mov_cod INTEGER NOT NULL,
    CONSTRAINT pk_venda_est_mov PRIMARY KEY (empr_cod, estacao_cod, venda_cod,
        est_mov_empr_cod, est_mov_estacao_cod, est_mov_cod),
    CONSTRAINT fk_venda_est_mov_venda FOREIGN KEY (empr_cod, estacao_cod, venda_cod)
        REFERENCES venda (empr_cod, estacao_cod, venda_cod) ON DELETE CASCADE,
    CONSTRAINT fk_venda_est_mov_mov FOREIGN KEY (est_mov_empr_cod, est_mov_estacao_cod, est_mov_cod)
        REFERENCES est_mov (empr_cod, estacao_cod, est_mov_cod)
);
