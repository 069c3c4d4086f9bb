/* Demo shop for a terminal's product database. Run after terminal_dados.sql. */

INPUT 'seed_produtos.sql';

COMMIT;
