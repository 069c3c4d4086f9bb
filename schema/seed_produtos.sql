/* Demo shop: tax rates, manufacturers and products with barcodes (back-office and terminals). */

INSERT INTO trib (trib_cod, descr, perc, cancelado) VALUES (1, 'ICMS 18', 18, 'N');
INSERT INTO trib (trib_cod, descr, perc, cancelado) VALUES (2, 'ISENTO', 0, 'N');
INSERT INTO trib (trib_cod, descr, perc, cancelado) VALUES (3, 'ICMS 12', 12, 'N');
INSERT INTO trib (trib_cod, descr, perc, cancelado) VALUES (4, 'ICMS 7', 7, 'N');
INSERT INTO trib (trib_cod, descr, perc, cancelado) VALUES (5, 'ICMS 17,5 ANTIGO', 17.5, 'S');

INSERT INTO prod_fabr (prod_fabr_cod, nome) VALUES (1, 'LABORATÓRIO AURORA');
INSERT INTO prod_fabr (prod_fabr_cod, nome) VALUES (2, 'FARMOQUÍMICA SOL NASCENTE');
INSERT INTO prod_fabr (prod_fabr_cod, nome) VALUES (3, 'HIGIENE DO BRASIL');
INSERT INTO prod_fabr (prod_fabr_cod, nome) VALUES (4, 'D''ÁGUA COSMÉTICOS E PERFUMARIA DO NORDESTE');

INSERT INTO prod (prod_cod, descr, descr_red, prod_fabr_cod, unid, preco1, pmc, preco_promo,
    trib_cod, trat_icms, cfop, ncm)
    VALUES (1, 'ANALGÉSICO 500MG 20 COMPRIMIDOS', 'ANALGESICO 500MG 20CP', 1, 'CX', 12.34, 0, 0,
    1, 0, '5102', '30049099');
INSERT INTO prod (prod_cod, descr, descr_red, prod_fabr_cod, unid, preco1, pmc, preco_promo,
    trib_cod, trat_icms, cfop, ncm)
    VALUES (2, 'ANTIALÉRGICO XAROPE 120ML', 'ANTIALERGICO XPE 120ML', 2, 'UN', 18.90, 21.50, 15.00,
    3, 0, '5102', '30049099');
INSERT INTO prod (prod_cod, descr, descr_red, prod_fabr_cod, unid, preco1, pmc, preco_promo,
    trib_cod, trat_icms, cfop, ncm)
    VALUES (3, 'SABONETE GLICERINA 90G', 'SABONETE GLICERINA 90G', 3, 'UN', 3.49, 0, 2.99,
    1, 0, '5102', '34011190');
INSERT INTO prod (prod_cod, descr, descr_red, prod_fabr_cod, unid, preco1, pmc, preco_promo,
    trib_cod, trat_icms, cfop, ncm, trib_icms_cbenef, trib_icms_picmsdeson, trib_icms_motdesicms)
    VALUES (4, 'ÁGUA DE COLÔNIA "FLOR D''ÁGUA" 250ML', 'AGUA COLONIA FLOR 250ML', 4, 'UN', 45.00,
    0, 0, 2, 40, '5405', '33030010', 'SP099999', 1.25, 9);
INSERT INTO prod (prod_cod, descr, descr_red, prod_fabr_cod, unid, ativo, preco1, pmc,
    preco_promo, trib_cod, trat_icms, cfop, ncm)
    VALUES (5, 'VITAMINA C 1G EFERVESCENTE 10 COMPRIMIDOS (FORA DE LINHA)', 'VITAMINA C 1G EFERV 10CP',
    1, 'CX', 'N', 9.99, 11.20, 0, 4, 0, '5102', '30045090');

INSERT INTO prod_barras (bar_cod, prod_cod) VALUES ('7890000000017', 1);
INSERT INTO prod_barras (bar_cod, prod_cod) VALUES ('7890000000024', 2);
INSERT INTO prod_barras (bar_cod, prod_cod) VALUES ('7890000000031', 3);
INSERT INTO prod_barras (bar_cod, prod_cod) VALUES ('7890000000048', 4);
INSERT INTO prod_barras (bar_cod, prod_cod) VALUES ('7890000000055', 5);
INSERT INTO prod_barras (bar_cod, prod_cod) VALUES ('17890000000014', 1);
