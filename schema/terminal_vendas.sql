/* A sales terminal's sales database: the sales it recorded, their items and a copy of the
   products' tax data. Run inside a connection to an empty WIN1252 database. */

SET SQL DIALECT 3;

CREATE TABLE config (
    chave VARCHAR(100) NOT NULL,
    valor VARCHAR(1000),
    CONSTRAINT pk_config PRIMARY KEY (chave)
);

INPUT 'produtos.sql';
INPUT 'vendas.sql';
INPUT 'itens_tribs.sql';

ALTER TABLE venda_est_mov_trib ADD CONSTRAINT fk_venda_est_mov_trib_item
    FOREIGN KEY (empr_cod, estacao_cod, venda_cod, est_mov_empr_cod, est_mov_estacao_cod, est_mov_cod)
    REFERENCES venda_est_mov (empr_cod, estacao_cod, venda_cod, est_mov_empr_cod,
        est_mov_estacao_cod, est_mov_cod) ON DELETE CASCADE;

COMMIT;
