/* The tax data of each sale item as the PDV computed it, one row per item, written by
   ITENS_TRIBS_SET: in the terminal's sales database and in its product database. */

CREATE TABLE venda_est_mov_trib (
    empr_cod INTEGER NOT NULL,
    estacao_cod INTEGER NOT NULL,
    venda_cod INTEGER NOT NULL,
    est_mov_empr_cod INTEGER NOT NULL,
    est_mov_estacao_cod INTEGER NOT NULL,
    est_mov_cod INTEGER NOT NULL,
    trib_cod SMALLINT NOT NULL,
    perc NUMERIC(15,4) NOT NULL,
    icms_val NUMERIC(15,4) NOT NULL,
    trat_icms INTEGER NOT NULL,
    cfop VARCHAR(5) NOT NULL,
    trib_icms_cbenef VARCHAR(10) NOT NULL,
    trib_icms_motdesicms INTEGER NOT NULL,
    trib_icms_picmsdeson NUMERIC(15,4) NOT NULL,
    CONSTRAINT pk_venda_est_mov_trib PRIMARY KEY (empr_cod, estacao_cod, venda_cod,
        est_mov_empr_cod, est_mov_estacao_cod, est_mov_cod)
);

SET TERM ^ ;
/* Records the 14 values of one item; running it again for the same item replaces them. */
CREATE PROCEDURE itens_tribs_set (
    empr_cod INTEGER,
    estacao_cod INTEGER,
    venda_cod INTEGER,
    est_mov_empr_cod INTEGER,
    est_mov_estacao_cod INTEGER,
    est_mov_cod INTEGER,
    trib_cod SMALLINT,
    perc NUMERIC(15,4),
    icms_val NUMERIC(15,4),
    trat_icms INTEGER,
    cfop VARCHAR(5),
    trib_icms_cbenef VARCHAR(10),
    trib_icms_motdesicms INTEGER,
    trib_icms_picmsdeson NUMERIC(15,4))
AS
BEGIN
    UPDATE OR INSERT INTO venda_est_mov_trib (empr_cod, estacao_cod, venda_cod,
        est_mov_empr_cod, est_mov_estacao_cod, est_mov_cod, trib_cod, perc, icms_val, trat_icms,
        cfop, trib_icms_cbenef, trib_icms_motdesicms, trib_icms_picmsdeson)
    VALUES (:empr_cod, :estacao_cod, :venda_cod, :est_mov_empr_cod, :est_mov_estacao_cod,
        :est_mov_cod, :trib_cod, :perc, :icms_val, :trat_icms, COALESCE(:cfop, ''),
        COALESCE(:trib_icms_cbenef, ''), :trib_icms_motdesicms, :trib_icms_picmsdeson)
    MATCHING (empr_cod, estacao_cod, venda_cod, est_mov_empr_cod, est_mov_estacao_cod,
        est_mov_cod);
END^
SET TERM ; ^
