call gameapi, pause
