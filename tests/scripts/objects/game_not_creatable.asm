game g
end game
new g, x
