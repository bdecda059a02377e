game g
method init
  mov g, 5
end method
end game
push "g"
call gameapi, play
