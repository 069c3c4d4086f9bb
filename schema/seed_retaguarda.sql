/* Demo shop for the back-office database: one company, employees, a price table, terminals, the
   menu actions and the products. Run after retaguarda.sql, in the same kind of connection. */

INSERT INTO empr (empr_cod, nome, selecionada) VALUES (1, 'FARMÁCIA DEMONSTRAÇÃO LTDA', 'S');

INSERT INTO func (func_cod, nome, direito_total) VALUES (1, 'ADMINISTRADOR', 'S');
INSERT INTO func (func_cod, nome, direito_total) VALUES (2, 'JOÃO DO CAIXA', 'N');

INSERT INTO config (chave, valor) VALUES ('SYS_APP_TIPO', '1');
INSERT INTO config (chave, valor) VALUES ('GERTEC_USA', 'N');
INSERT INTO config (chave, valor) VALUES ('GERTEC_PATH', '');

INSERT INTO tab_preco (empr_cod, tab_preco_cod, nome, perc) VALUES (1, 1, 'PRINCIPAL', 0);

INPUT 'seed_produtos.sql';

INSERT INTO prod_linha (prod_linha_cod, descr) VALUES (1, 'MEDICAMENTOS');
INSERT INTO prod_linha (prod_linha_cod, descr) VALUES (2, 'PERFUMARIA');
INSERT INTO prod_grupo (prod_grupo_cod, descr) VALUES (1, 'GENÉRICOS');
INSERT INTO prod_fam (prod_fam_cod, descr) VALUES (1, 'ANALGÉSICOS');
INSERT INTO prod_princ (prod_princ_cod, descr) VALUES (1, 'PARACETAMOL');
INSERT INTO prod_princ (prod_princ_cod, descr) VALUES (2, 'ÁCIDO ASCÓRBICO');
UPDATE prod SET prod_princ_cod = 1, prod_linha_cod = 1, prod_grupo_cod = 1, prod_fam_cod = 1
    WHERE prod_cod = 1;
UPDATE prod SET prod_princ_cod = 2, prod_linha_cod = 1 WHERE prod_cod = 5;
UPDATE prod SET prod_linha_cod = 2 WHERE prod_cod IN (3, 4);

INSERT INTO prod_preco_atual (empr_cod, prod_cod, tab_preco_cod, log_cod, dt_vig, preco)
    SELECT 1, prod_cod, 1, NULL, DATE '2026-01-02', preco1 FROM prod;

INSERT INTO terminais (num, nome, local_arq_dados)
    VALUES (1, 'CAIXA01', '/var/lib/zelt/pdv/terminal_dados.fdb');
INSERT INTO terminais (num, nome, local_arq_dados)
    VALUES (2, '', '/var/lib/zelt/pdv2/terminal_dados.fdb');

/* Menu actions: a group, its commands, the password change every employee may use. */
INSERT INTO act (act_cod, pai_cod, category, name, caption, sempre_habilitada, ordem, image_index)
    VALUES (1, 0, '', 'ManutAct', '&Manutenção', 'N', 1, 0);
INSERT INTO act (act_cod, pai_cod, category, name, caption, sempre_habilitada, ordem, image_index)
    VALUES (2, 1, 'ManutAct', 'ManutTribAct', '&Tributações', 'N', 2, 5);
INSERT INTO act (act_cod, pai_cod, category, name, caption, sempre_habilitada, ordem, image_index)
    VALUES (3, 1, 'ManutAct', 'ManutSubstanciaAct', 'Princípios &Ativos', 'N', 3, 6);
INSERT INTO act (act_cod, pai_cod, category, name, caption, sempre_habilitada, ordem, image_index)
    VALUES (4, 1, 'ManutAct', 'ManutMudSenhaAct', 'Mudar &Senha', 'S', 4, 7);
INSERT INTO act (act_cod, pai_cod, category, name, caption, sempre_habilitada, ordem, image_index)
    VALUES (5, 0, '', 'SngpcAct', 'SNGPC', 'N', 5, 8);

INSERT INTO func_dir (func_cod, act_cod, habilitada) SELECT 1, act_cod, 'S' FROM act;
INSERT INTO func_dir (func_cod, act_cod, habilitada) VALUES (2, 1, 'S');
INSERT INTO func_dir (func_cod, act_cod, habilitada) VALUES (2, 2, 'N');

COMMIT;
