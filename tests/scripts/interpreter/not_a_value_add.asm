add gameapi, 1
