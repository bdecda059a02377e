push "nowhere"
call gameapi, play
