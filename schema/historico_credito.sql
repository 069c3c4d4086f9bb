/* The shop's credit-history database: a copy of every sale, kept for the customers' credit
   history. Run inside a connection to an empty WIN1252 database. */

SET SQL DIALECT 3;

CREATE TABLE venda (
    empr_cod INTEGER NOT NULL,
    estacao_cod INTEGER NOT NULL,
    venda_cod INTEGER NOT NULL,
    fin_mov_cod INTEGER,
    cli_cod INTEGER,
    dt_hr TIMESTAMP NOT NULL,
    valor_total NUMERIC(15,4) DEFAULT 0 NOT NULL,
    desconto NUMERIC(15,4) DEFAULT 0 NOT NULL,
    frete_val NUMERIC(15,4) DEFAULT 0 NOT NULL,
    qtd_itens INTEGER DEFAULT 0 NOT NULL,
    cancelada CHAR(1) DEFAULT 'N' NOT NULL,
    CONSTRAINT pk_venda PRIMARY KEY (empr_cod, estacao_cod, venda_cod)
);
CREATE INDEX ix_venda_cli ON venda (cli_cod, dt_hr);

COMMIT;
