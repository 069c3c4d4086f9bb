/* A sales terminal's product database (terminal_dados.fdb): the products, their prices and tax
   data as the terminal sells them. Run inside a connection to an empty WIN1252 database. */

SET SQL DIALECT 3;

CREATE TABLE config (
    chave VARCHAR(100) NOT NULL,
    valor VARCHAR(1000),
    CONSTRAINT pk_config PRIMARY KEY (chave)
);

INPUT 'produtos.sql';
INPUT 'itens_tribs.sql';

COMMIT;
